// The cutting window (Form9) against vexa-sim: opening, the firmware gate, "Обработать" with
// its network file, "Резать", the hidden operations panel, bad fields, Stop, a cut line and
// closing in the middle of the work.

#include "cutting/cutting_window.h"

#include <QProgressBar>
#include <QTabBar>
#include <QtTest>
#include <filesystem>
#include <sstream>

#include "cutting/processing_chain.h"
#include "figures/figure_pictures.h"
#include "picture/picture_view.h"
#include "support/window_bench.h"

using vexa::cutting::CuttingWindow;
using Bench = vexa::test::WindowBench<CuttingWindow>;
using Commands = std::vector<std::string>;

namespace {

// 12 x 5 with a line of ten; 0,06 mm wide at 0,005 mm per step: one step per pixel.
vexa::picture::PixelBuffer line() {
  return vexa::figures::test::Drawn(
      {"............", "............", ".##########.", "............", "............"});
}

const char* const kSettings = "Etching9_width=0,06\r\n";

const Commands kLine{"1,2,0,2000", "0,0,1,1000", "1", "1", "1", "1",
                     "1",          "1",          "1", "1", "1", "0,0,-1,2000"};

Commands after(const Commands& commands, std::size_t skip) {
  return {commands.begin() + static_cast<long>(std::min(skip, commands.size())), commands.end()};
}

// 12 x 12 with a line of four in row 6; 0,06 mm wide: one step per pixel. The controller gets
// the firmware check's "V", the travel, the laser on, three steps and the laser off: the last
// step is its sixth command.
vexa::picture::PixelBuffer shortLine() {
  std::vector<std::string> rows(12, "............");
  rows[5] = "....####....";
  return vexa::figures::test::Drawn(rows);
}

// The laser value of the last command that set one: what the board was last told.
int lastLaserTold(const Commands& commands) {
  for (auto command = commands.rbegin(); command != commands.rend(); ++command) {
    std::vector<std::string> fields;
    std::stringstream text(*command);
    for (std::string field; std::getline(text, field, ',');) fields.push_back(field);
    if (fields.size() >= 3 && !fields[2].empty() && fields[2] != "0") return std::stoi(fields[2]);
  }
  return 0;
}

std::vector<std::string> texts(const Bench& bench) {
  std::vector<std::string> shown;
  for (const auto& m : bench.sim.prompts.messages) shown.push_back(m.text);
  return shown;
}

}  // namespace

class CuttingWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheStoredSettingsAndThePicture() {
    Bench bench("OT");
    bench.prepare(line(), "Etching9_image", "Etching9_width=24\r\n");
    CuttingWindow& window = bench.open();
    QCOMPARE(window.objectName(), QString("Form9"));
    QCOMPARE(window.windowTitle(), QString("Резка/гравировка по рисунку"));
    QCOMPARE(bench.label("Label5"), QString("Com-порт открыт"));
    QCOMPARE(bench.field("Text6")->text(), QString("24"));
    QCOMPARE(bench.field("Text7")->text(), QString("10"));  // 24 x 5 div 12
    QCOMPARE(bench.field("Text4")->text(), QString("1000"));
    QCOMPARE(bench.field("Text1")->text(),
             QString::fromStdString((bench.sim.folder / "picture.bmp").string()));
    auto* tabs = bench.find<QTabBar>("TabStrip1");
    QStringList captions;
    for (int i = 0; i < tabs->count(); ++i) captions << tabs->tabText(i);
    QCOMPARE(captions, (QStringList{"Основная", "Шаблон", "Лазер"}));
    for (int copy = 0; copy < 4; ++copy) QCOMPARE(window.picture().copy(copy), line());
    for (const char* hidden : {"Frame6", "Pict1", "Label7", "ProgressBar1", "Command3"}) {
      QVERIFY2(!bench.find<QWidget>(hidden)->isVisible(), hidden);
    }
    QVERIFY(!bench.find<QWidget>("tv"));  // no figure tree
    QCOMPARE(bench.button("Command1")->text(), QString("Обработать"));
    QCOMPARE(bench.button("Command2")->text(), QString("Резать"));
    QVERIFY(bench.box("Check1")->isChecked() && bench.button("Command7")->isEnabled());
    tabs->setCurrentIndex(2);
    QVERIFY(bench.find<QWidget>("Pict3")->isVisible());

    bench.field("Text6")->setText("12,5");
    bench.field("Text4")->setText("700");
    window.close();
    QCOMPARE(bench.setting("Etching9_width"), std::string("12,5"));
    QCOMPARE(bench.setting("Etching9_delay"), std::string("700"));
  }

  void processingShowsItsStepsAndFillsTheViews() {
    Bench bench("OT");
    bench.prepare(
        vexa::figures::test::Drawn({"........", "..###...", "..###...", "..###...", "........"}),
        "Etching9_image", kSettings);
    bench.sim.folder.write("neuro.net", "net");
    CuttingWindow& window = bench.open();
    QString statusDuringWork;
    bool progressShown = false, locked = false;
    bench.click("Command1", [&] {
      statusDuringWork = bench.label("Label7");
      progressShown = bench.find<QProgressBar>("ProgressBar1")->isVisible();
      locked = !bench.button("Command2")->isEnabled() && !bench.button("Command8")->isEnabled();
    });
    QCOMPARE(statusDuringWork, QString("Нейро. ST - 1"));
    QVERIFY(progressShown && locked);
    QVERIFY(!bench.find<QWidget>("Label7")->isVisible() && bench.button("Command2")->isEnabled());
    const vexa::picture::PixelBuffer& working = window.picture().copy(1);
    QVERIFY(working != window.picture().copy(0));
    QCOMPARE(window.picture().copy(2), working);
    QCOMPARE(window.picture().copy(3), working);
    QCOMPARE(vexa::picture::ReadBmpFile(bench.sim.folder / "neuro.bmp").pixels, working);
    QVERIFY(bench.sim.prompts.messages.empty());
  }

  void badFieldsAreNamedBeforeAnythingMoves() {
    const std::string width = "Введите в поле ширины число больше 0!";
    const std::string delay = "Введите в поле задержки число от 0 до 2147483647!";
    const std::vector<std::tuple<const char*, QString, std::string>> cases = {
        {"Text6", "0", width},   {"Text6", "abc", width},         {"Text4", "-", delay},
        {"Text4", "1e5", delay}, {"Text4", "99999999999", delay},
    };
    Bench bench("OT");
    bench.prepare(line(), "Etching9_image", kSettings);
    bench.open();
    for (const auto& [field, text, message] : cases) {
      bench.sim.prompts.messages.clear();
      const QString before = bench.field(field)->text();
      bench.type(field, text);
      bench.click("Command2");
      QCOMPARE(texts(bench), std::vector<std::string>{message});
      bench.field(field)->setText(before);
    }
    QCOMPARE(bench.commands(), Commands{"V"});
    QVERIFY(bench.button("Command2")->isEnabled());
  }

  void theOperationsPanelShowsTheWorkingPicture() {
    Bench bench("OT");
    bench.prepare(vexa::picture::test::GrayPicture({{0, 0, 0, 0}, {0, 120, 50, 0}, {0, 0, 0, 0}}),
                  "Etching9_image", kSettings);
    CuttingWindow& window = bench.open();
    auto* panel = bench.find<QWidget>("Frame6");
    QStringList captions;
    for (QPushButton* b : panel->findChildren<QPushButton*>()) captions << b->text();
    QCOMPARE(captions,
             (QStringList{"Подготовить", "Контраст", "Обрезка", "Очистить", "Ч/Б", "Сглаживание"}));
    panel->show();
    QVERIFY(bench.find<QWidget>("Pict1")->isVisible());
    bench.click("Command3");  // "Подготовить": 120 becomes white, 50 stays
    QCOMPARE(window.picture().copy(1).gray(2, 2), std::uint8_t(255));
    QCOMPARE(window.picture().copy(1).gray(3, 2), std::uint8_t(50));
    QCOMPARE(window.picture().copy(3), window.picture().copy(0));  // the laser view waits
    panel->hide();
    QVERIFY(!bench.find<QWidget>("Pict1")->isVisible());
  }

  void stopAsksAndStoppingLeavesAUsableWindow() {
    Bench bench("OT");
    bench.prepare(line(), "Etching9_image", kSettings);
    CuttingWindow& window = bench.open();
    bench.sim.prompts.answers = {true};
    bool locked = false;
    onceTheLaserIsOn(window, [&] {
      locked = !bench.box("Check1")->isEnabled() && !bench.button("Command7")->isEnabled() &&
               !bench.field("Text6")->isEnabled() && !bench.field("Text4")->isEnabled() &&
               !bench.button("Command1")->isEnabled() && bench.button("Command9")->isEnabled();
      bench.button("Command9")->click();
    });
    bench.click("Command2");
    QVERIFY(locked);
    QVERIFY(bench.box("Check1")->isEnabled());
    QCOMPARE(bench.sim.prompts.questions.size(), size_t(1));
    QVERIFY(bench.sim.prompts.messages.empty());  // stopping is quiet: no "Готово"
    QVERIFY(!window.jobRunning());
    QVERIFY(bench.button("Command2")->isEnabled() && bench.button("Command7")->isEnabled());
    const Commands stopped = after(bench.commands(), 1);
    QCOMPARE(stopped, (Commands{"1,2,0,2000", "0,0,1,1000", "0,0,-1"}));
    QCOMPARE(window.picture().copy(3).pixel(2, 3)[2], std::uint8_t(255));  // the marks stay

    // The next run traces the laser view as the stop left it: what the marks cover is taken as
    // cut, and the rest of the line, from (4, 3) on, is cut.
    bench.click("Command2");
    QCOMPARE(
        after(bench.commands(), 1 + stopped.size() + 1),
        (Commands{"3,2,0,2000", "0,0,1,1000", "1", "1", "1", "1", "1", "1", "1", "0,0,-1,2000"}));
    QCOMPARE(window.picture().copy(3), window.picture().copy(1));  // clean again after "Готово"
  }

  void aCutLineEndsTheJobWithOneMessage() {
    Bench bench("OT", {"--hangup-after", "4"});
    bench.prepare(line(), "Etching9_image", kSettings);
    CuttingWindow& window = bench.open();
    bench.click("Command2");
    QCOMPARE(texts(bench), std::vector<std::string>{vexa::link::ReadErrorText()});
    QVERIFY(!window.jobRunning());
    QVERIFY(bench.button("Command2")->isEnabled());
    window.close();
    QVERIFY(!window.isVisible());
  }

  void closingDuringProcessingEndsItAndCloses() {
    Bench bench("OT");
    bench.prepare(line(), "Etching9_image", kSettings);
    bench.sim.folder.write("neuro.net", "net");
    CuttingWindow& window = bench.open();
    bench.field("Text4")->setText("800");
    bench.click("Command1", [&] { window.close(); });
    QVERIFY(!window.isVisible());
    QVERIFY(!std::filesystem::exists(bench.sim.folder / "neuro.bmp"));
    QCOMPARE(bench.setting("Etching9_delay"), std::string("800"));
  }

  void closingDuringTheCutAsksAndContinuingKeepsTheWindow() {
    Bench bench("OT");
    bench.prepare(line(), "Etching9_image", kSettings);
    CuttingWindow& window = bench.open();
    bench.sim.prompts.answers = {false};
    onceTheLaserIsOn(window, [&] { window.close(); });
    bench.click("Command2");
    QVERIFY(window.isVisible());
    QCOMPARE(bench.sim.prompts.questions.size(), size_t(1));
    QCOMPARE(texts(bench), std::vector<std::string>{"Готово"});
    const Commands commands = after(bench.commands(), 1);
    QCOMPARE(std::count(commands.begin(), commands.end(), "1"), 9);
  }

  // Every way out of a cut leaves the laser off on the board, also when the stop or the close
  // lands while the job waits for the reply to the stroke's last step (its laser-off move has
  // then been asked for but not sent).
  void theLaserIsOffHoweverTheCutEnds_data() {
    QTest::addColumn<QString>("way");
    QTest::addColumn<QStringList>("simOptions");
    QTest::addColumn<bool>("windowStays");
    QTest::addColumn<QStringList>("messages");
    const QStringList slow{"--delay", "300"};
    QTest::newRow("done") << "done" << slow << true << QStringList{"Готово"};
    QTest::newRow("Стоп, Да") << "stop" << slow << true << QStringList{};
    QTest::newRow("close, Да") << "close" << slow << false << QStringList{};
    // The board hangs after the second step: one close ends the wait with the one message.
    QTest::newRow("close, silent board")
        << "close" << QStringList{"--silent-after", "5"} << false
        << QStringList{QString::fromUtf8(vexa::link::kNoAnswerText)};
  }

  void theLaserIsOffHoweverTheCutEnds() {
    QFETCH(QString, way);
    QFETCH(QStringList, simOptions);
    QFETCH(bool, windowStays);
    QFETCH(QStringList, messages);
    Bench bench("OT", simOptions);
    bench.prepare(shortLine(), "Etching9_image", kSettings);
    CuttingWindow& window = bench.open();
    vexa::test::HangUpIfStillWaiting(bench.sim.sim, &window);
    bench.sim.prompts.answers = {true};
    if (way != "done") {
      vexa::test::OnceReceived(bench.sim.sim, 6, &window, [&] {
        if (way == "stop") bench.button("Command9")->click();
        if (way == "close") window.close();
      });
    }
    bench.click("Command2");
    QTRY_COMPARE(lastLaserTold(bench.sim.sim.receivedCommands()), -1);
    QStringList shown;
    for (const std::string& text : texts(bench)) shown << QString::fromStdString(text);
    QCOMPARE(shown, messages);
    QCOMPARE(window.isVisible(), windowStays);
    QVERIFY(!window.jobRunning());
  }

 private:
  // `act` runs in the first event processing after the laser-on command of the first stroke.
  static void onceTheLaserIsOn(CuttingWindow& window, std::function<void()> act) {
    auto* timer = new QTimer(&window);
    QObject::connect(timer, &QTimer::timeout, &window, [&window, timer, act] {
      if (window.moves().record.lastLaser <= 0) return;
      timer->stop();
      timer->deleteLater();
      act();
    });
    timer->start(0);
  }
};

QTEST_MAIN(CuttingWindowTest)
#include "cutting_window_test.moc"
