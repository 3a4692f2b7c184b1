// The 3D scanner window (Form2) against a vexa-sim controller with the "ST" firmware and
// configured probe readings.

#include "scanner/scanner_window.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <cmath>
#include <memory>

#include "app/connection_check.h"
#include "picture/bmp_file.h"
#include "picture/picture_view.h"
#include "scanner/height_picture.h"
#include "scanner/picture_size.h"
#include "scanner/scan_box_widget.h"
#include "scanner/scan_numbers.h"
#include "support/window_bench.h"

using vexa::scanner::ScannerWindow;
using Commands = std::vector<std::string>;
using Point = std::pair<int, int>;

namespace {

// The walk of a 6 x 5 mesh, as the probe visits it.
const std::vector<Point> kSixByFiveWalk{
    {1, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 3}, {2, 3}, {2, 4}, {1, 4}, {1, 5}, {2, 5},
    {3, 5}, {4, 5}, {4, 4}, {3, 4}, {3, 3}, {4, 3}, {4, 2}, {3, 2}, {3, 1}, {4, 1},
    {5, 1}, {6, 1}, {6, 2}, {5, 2}, {5, 3}, {6, 3}, {6, 4}, {5, 4}, {5, 5}, {6, 5}};

// 100 mm over 5 column steps and 100 mm over 4 row steps at 0.005 mm per motor step.
constexpr int kStepX = 4000;
constexpr int kStepY = 5000;

// What the controller receives for a walk: a probe at every point, a move between points.
Commands CommandsOfWalk(const std::vector<Point>& walk) {
  Commands commands{"V"};
  for (std::size_t k = 0; k < walk.size(); ++k) {
    if (k > 0) {
      commands.push_back(std::to_string((walk[k].first - walk[k - 1].first) * kStepX) + "," +
                         std::to_string((walk[k].second - walk[k - 1].second) * kStepY) + ",0");
    }
    commands.push_back("0,0,200");
  }
  return commands;
}

// The grid point the probe stands over after the moves among `commands`.
Point EndPoint(const Commands& commands) {
  long x = 0, y = 0;
  for (const std::string& command : commands) {
    if (command == "V" || command == "0,0,200") continue;
    x += std::stol(command);
    y += std::stol(command.substr(command.find(',') + 1));
  }
  return {static_cast<int>(x / kStepX) + 1, static_cast<int>(y / kStepY) + 1};
}

using Bench = vexa::test::WindowBench<ScannerWindow>;

std::vector<std::string> messageTexts(const Bench& bench) {
  std::vector<std::string> texts;
  for (const auto& message : bench.sim.prompts.messages) texts.push_back(message.text);
  return texts;
}

int gray(const Bench& bench, int x, int y) {
  return bench.window->previewImage().gray(x, y);
}

QString countingReadings(int from = 1) {
  QStringList readings;
  for (int k = from; k <= 30; ++k) readings << QString::number(k);
  return readings.join(',');
}

void mouse(QWidget* target, QEvent::Type type, QPoint global, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(6, 6), QPointF(global), Qt::LeftButton, held, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

}  // namespace

class ScannerWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void opensWithTheDefaultsAndDrawsTheGrid() {
    Bench bench("ST", {"--probe", "40"});
    ScannerWindow& window = bench.open();
    QCOMPARE(window.objectName(), QString("Form2"));
    QCOMPARE(window.windowTitle(), QString("3D Сканер"));
    QCOMPARE(bench.label("Label4"), QString("Com-порт открыт"));
    QCOMPARE(bench.label("Label9"), QString("Данные:"));
    for (const auto& [name, text] : {std::pair{"Text3", "6"},
                                     {"Text4", "5"},
                                     {"Text8", "100"},
                                     {"Text9", "100"},
                                     {"Text6", "200"},
                                     {"Text7", "200"},
                                     {"tx", "0"}}) {
      QCOMPARE(bench.field(name)->text(), QString(text));
    }
    QVERIFY(bench.box("Check1")->isChecked());
    QVERIFY(bench.button("Command3")->isEnabled());
    QCOMPARE(window.box()->boxSize(), QSize(222, 222));
    QCOMPARE(gray(bench, 10, 10), 0);
    QCOMPARE(gray(bench, 30, 10), 200);
    QCOMPARE(bench.commands(), Commands{"V"});
  }

  void scansTheMeshInTheWalkOrderAndRefusesASecondScan() {
    // Answers a little late, so the scan lets the window work while it waits.
    Bench bench("ST", {"--probe", countingReadings(), "--delay", "5"});
    bench.open();
    bench.click("Command6", [&] { bench.button("Command6")->click(); });
    QCOMPARE(bench.commands(), CommandsOfWalk(kSixByFiveWalk));
    // The k-th reading is k: each point holds its place in the walk, scaled over 1 to 30.
    for (std::size_t k = 0; k < kSixByFiveWalk.size(); ++k) {
      const auto [c, r] = kSixByFiveWalk[k];
      QCOMPARE(bench.window->mesh().at(c, r), static_cast<int>(std::nearbyint(k * 255.0 / 29)));
    }
    QCOMPARE(bench.label("Label9"), QString("Данные: 30"));
    QCOMPARE(messageTexts(bench), std::vector<std::string>{"Сканирвание завершено"});
    QCOMPARE(gray(bench, 210, 210), 30);  // the crosses keep the raw readings
  }

  void theEstimateCountsTheScansCommands() {
    Bench bench("ST", {"--probe", "40"});
    bench.open();
    QCOMPARE(bench.label("Label14").section(", ", 1), QString("59 команд"));
    bench.click("Command6");
    QCOMPARE(bench.commands().size(), size_t(1 + 59));
    QCOMPARE(bench.find<QProgressBar>("ProgressBar2")->value(), 1000);
  }

  // The board hangs up during the sixth probe, or on the move after it; another board takes
  // over and the scan goes on from the first point whose reading never came: the mesh is the
  // one a whole scan gives.
  void aScanCutByAHungUpLineGoesOnFromTheFirstPointNotMeasured_data() {
    QTest::addColumn<int>("hangupAfter");
    QTest::addColumn<int>("nextReading");
    QTest::newRow("during a probe") << 12 << 6;
    QTest::newRow("during a move") << 13 << 7;
  }
  void aScanCutByAHungUpLineGoesOnFromTheFirstPointNotMeasured() {
    QFETCH(int, hangupAfter);
    QFETCH(int, nextReading);
    Bench whole("ST", {"--probe", countingReadings()});
    whole.open();
    whole.click("Command6");

    Bench bench("ST", {"--probe", countingReadings(), "--hangup-after",
                       QString::number(hangupAfter)});
    bench.open();
    bench.click("Command6");
    QVERIFY(bench.sim.sim.waitForExit());
    QVERIFY(!bench.button("Command12")->isEnabled());
    vexa::test::SimProcess second({"--tag", "ST", "--probe", countingReadings(nextReading)});
    QCOMPARE(vexa::app::CheckConnection(bench.sim.link, second.portPath(), 9600),
             vexa::app::ConnectionResult::Answered);
    QTRY_VERIFY_WITH_TIMEOUT(bench.button("Command12")->isEnabled(), 10000);
    bench.sim.prompts.answers = {true};
    bench.click("Command12");
    QVERIFY(bench.sim.prompts.questions.back().text.starts_with(
        "Продолжить сканирование с точки " + std::to_string(nextReading) + " из 30?"));
    for (const auto& [c, r] : kSixByFiveWalk) {
      QCOMPARE(bench.window->mesh().at(c, r), whole.window->mesh().at(c, r));
    }
    QVERIFY(!bench.button("Command12")->isEnabled());
  }

  void theWalkEndsWhereTheMeshSays_data() {
    QTest::addColumn<QString>("nx");
    QTest::addColumn<int>("lastColumn");
    QTest::addColumn<int>("lastRow");
    QTest::newRow("6 x 5") << "6" << 6 << 5;
    QTest::newRow("4 x 5") << "4" << 4 << 1;
  }
  void theWalkEndsWhereTheMeshSays() {
    QFETCH(QString, nx);
    QFETCH(int, lastColumn);
    QFETCH(int, lastRow);
    Bench bench("ST", {"--probe", "40,60,50"});
    bench.open();
    bench.type("Text3", nx);
    bench.field("Text8")->setText(QString::number(20 * (nx.toInt() - 1)));  // still 4000 steps
    bench.click("Command6");
    const Commands commands = bench.commands();
    QCOMPARE(commands.size(), size_t(1 + 2 * nx.toInt() * 5 - 1));
    QCOMPARE(EndPoint(commands), Point(lastColumn, lastRow));
  }

  void meshesTheWalkCannotTakeShowTheMessageAndSendNothing_data() {
    QTest::addColumn<QString>("nx");
    QTest::addColumn<QString>("ny");
    QTest::addColumn<QString>("message");
    QTest::newRow("odd width") << "5"
                               << "5"
                               << "Размер сетки по X должен быть кратным 4";
    QTest::newRow("even height") << "6"
                                 << "4"
                                 << "Размер сетки по Y должен быть нечетным";
    QTest::newRow("empty width") << ""
                                 << "5" << vexa::scanner::kMeshWidthRangeText;
  }
  void meshesTheWalkCannotTakeShowTheMessageAndSendNothing() {
    QFETCH(QString, nx);
    QFETCH(QString, ny);
    QFETCH(QString, message);
    Bench bench("ST", {"--probe", "40"});
    bench.open();
    bench.type("Text3", nx);
    bench.type("Text4", ny);
    bench.click("Command6");
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
    QCOMPARE(bench.sim.prompts.messages[0].caption, std::string("Zuridid IRA"));
    QCOMPARE(QString::fromStdString(bench.sim.prompts.messages[0].text), message);
    QCOMPARE(bench.commands(), Commands{"V"});
    QVERIFY(bench.window->mesh().empty());
  }

  void interpolatesTheScanAndSavesImageBmp() {
    Bench bench("ST", {"--probe", "40,60,50"});
    ScannerWindow& window = bench.open();
    bench.button("Command2")->click();  // nothing scanned yet
    QCOMPARE(messageTexts(bench), std::vector<std::string>{vexa::scanner::kNoScanText});
    QCOMPARE(bench.sim.prompts.messages[0].caption, std::string("Внимание"));
    bench.click("Command6");
    bench.button("Command2")->click();
    for (int r = 1; r <= 5; ++r) {
      for (int c = 1; c <= 6; ++c) {
        QCOMPARE(gray(bench, (c - 1) * 40 + 10, (r - 1) * 50 + 10), window.mesh().at(c, r));
      }
    }
    bench.button("Command1")->click();
    QCOMPARE(bench.sim.prompts.messages.back().caption, std::string("Сохранение"));
    QCOMPARE(bench.sim.prompts.messages.back().text, std::string("Изображение сохранено"));
    const auto saved = vexa::picture::ReadBmpFile(bench.sim.folder / "image.bmp");
    QCOMPARE(saved.bitsPerPixel, 24);
    QCOMPARE(saved.pixels, window.previewImage());

    bench.type("Text3", "2");  // a mesh too small for the 4 x 4 stencil
    bench.box("Check1")->setChecked(false);
    bench.click("Command6");
    bench.button("Command2")->click();
    QCOMPARE(messageTexts(bench).back(), std::string(vexa::scanner::kSmallMeshText));
  }

  void closingDuringTheScanStopsItAndClosesAfterwards() {
    Bench bench("ST", {"--probe", "40", "--delay", "20"});
    ScannerWindow& window = bench.open();
    bench.field("Text8")->setText("80");
    bool keptOpenMeanwhile = false;
    bench.click("Command6", [&] {
      window.close();
      keptOpenMeanwhile = window.isVisible() && window.jobRunning();
    });
    QVERIFY(keptOpenMeanwhile);
    QVERIFY(!window.isVisible());
    const Commands commands = bench.commands();
    QVERIFY(commands.size() < 6);
    QCOMPARE(commands[1], std::string("0,0,200"));
    QVERIFY(bench.sim.prompts.messages.empty());
    QCOMPARE(bench.sim.settings.ReadSetting("scanner_area_width", "-"), std::string("80"));
  }

  void stopEndsTheScanQuietlyAndTheWindowScansAgain() {
    Bench bench("ST", {"--probe", "40,60", "--delay", "20"});
    ScannerWindow& window = bench.open();
    bench.click("Command6", [&] { bench.button("Command9")->click(); });
    QVERIFY(bench.sim.prompts.messages.empty());
    QCOMPARE(window.mesh().nx(), 6);
    QCOMPARE(window.mesh().at(6, 5), 0);
    const std::size_t stopped = bench.commands().size();
    QVERIFY(stopped < 6);
    bench.click("Command6");
    QCOMPARE(messageTexts(bench), std::vector<std::string>{"Сканирвание завершено"});
    QCOMPARE(bench.commands().size(), stopped + 1 + 59);  // the sync's "V", then the whole walk
  }

  // "Стоп" while the first probe waits: its reading (11) comes while the next scan begins, and
  // is no point's reading there.
  void aLateReadingIsNeverStoredForTheNextScan() {
    Bench bench("ST", {"--probe", "11,22,33,44,55,66,77", "--delay", "600"});
    bench.sim.folder.write("cnc.ini", "[CNC]\r\nscanner_mesh_width=2\r\nscanner_mesh_height=3\r\n");
    ScannerWindow& window = bench.open();
    vexa::test::HangUpIfStillWaiting(bench.sim.sim, &window);
    vexa::test::OnceReceived(bench.sim.sim, 2, &window, [&] { bench.button("Command9")->click(); });
    bench.click("Command6");
    QVERIFY(bench.sim.prompts.messages.empty());
    bench.click("Command6");
    QCOMPARE(messageTexts(bench), std::vector<std::string>{"Сканирвание завершено"});
    // 22 to 77 in the walk's order (1,1) (2,1) (2,2) (1,2) (1,3) (2,3), spread over 0 to 255.
    const std::vector<Point> walk{{1, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 3}, {2, 3}};
    for (std::size_t k = 0; k < walk.size(); ++k) {
      QCOMPARE(window.mesh().at(walk[k].first, walk[k].second), static_cast<int>(k * 51));
    }
  }

  void equalReadingsGiveZeroAndHighOnesDrawWhite() {
    Bench bench("ST", {"--probe", "300"});
    ScannerWindow& window = bench.open();
    bench.click("Command6");
    QCOMPARE(window.mesh().at(3, 2), 0);
    QCOMPARE(gray(bench, 90, 60), 255);
    QCOMPARE(gray(bench, 91, 60), 255);
  }

  void anotherFirmwareMakesEveryScanADryRun() {
    Bench bench("PT", {"--probe", "40"});
    ScannerWindow& window = bench.open();
    QCOMPARE(bench.label("Label4"), QString("Некорректная прошивка"));
    QCOMPARE(bench.sim.prompts.firmwareNotices.size(), size_t(1));
    QVERIFY(!bench.box("Check1")->isEnabled());
    QVERIFY(!bench.box("Check1")->isChecked());
    QVERIFY(!bench.button("Command3")->isEnabled());
    bench.click("Command6");
    QCOMPARE(bench.commands(), Commands{"V"});
    QCOMPARE(messageTexts(bench), std::vector<std::string>{"Сканирвание завершено"});
    QVERIFY(window.mesh().at(6, 5) >= 0 && window.mesh().at(6, 5) <= 255);
  }

  void theCornerHandleSizesTheBoxInWholeGridSteps() {
    Bench bench("ST", {"--probe", "40"});
    ScannerWindow& window = bench.open();
    QLabel* handle = bench.find<QLabel>("Label12");
    QLabel* standIn = bench.find<QLabel>("Label13");
    const QPoint press(500, 500);
    mouse(handle, QEvent::MouseButtonPress, press, Qt::LeftButton);
    QVERIFY(standIn->isVisible() && !handle->isVisible());
    mouse(standIn, QEvent::MouseMove, press + QPoint(78, -300), Qt::LeftButton);
    QCOMPARE(window.box()->boxSize(), QSize(300, 222));  // the height is not above 1000 twips
    QCOMPARE(bench.field("Text6")->text(), QString("275"));
    QCOMPARE(bench.field("Text7")->text(), QString("200"));
    QCOMPARE(window.previewImage().width(), 300);
    mouse(standIn, QEvent::MouseButtonRelease, press + QPoint(78, -300), Qt::NoButton);
    QVERIFY(!standIn->isVisible() && handle->isVisible());
    QCOMPARE(handle->geometry().center(), QPoint(300, 222));

    bench.button("Command7")->click();  // "Установить": the box follows the picture fields
    QCOMPARE(window.box()->boxSize(), QSize(297, 222));
    bench.type("Text3", "4");  // the picture follows the mesh in whole steps
    QCOMPARE(bench.field("Text6")->text(), QString("273"));
    QCOMPARE(gray(bench, 10 + 91, 10), 0);
  }

  void fieldsRefuseWhatTheyCannotTakeWithOneMessage() {
    Bench bench("ST", {"--probe", "40"});
    bench.open();
    QLineEdit* mesh = bench.field("Text3");
    mesh->clear();
    QTest::keyClicks(mesh, "a4.-b");
    QCOMPARE(mesh->text(), QString("4"));
    QTest::keyClick(mesh, Qt::Key_Return);  // Enter applies the mesh at once
    QCOMPARE(bench.field("Text6")->text(), QString("198"));

    bench.type("Text8", "50");
    QCOMPARE(bench.field("Text9")->text(), QString("50"));
    bench.type("Text7", "100");
    QCOMPARE(bench.field("Text9")->text(), QString("25"));  // nearest(100 x 50) div 198
    bench.type("Text9", "99");
    QCOMPARE(bench.field("Text8")->text(), QString("196"));  // 198 x 99 div 100

    bench.type("Text9", "zzz");  // the mistake stays where it was made
    QCOMPARE(bench.field("Text8")->text(), QString("196"));
    bench.type("Text6", "abc");
    QCOMPARE(bench.field("Text9")->text(), QString(""));
    bench.button("Command7")->click();
    bench.type("Text6", "200");
    bench.type("Text8", "-5");
    bench.click("Command6");
    QCOMPARE(messageTexts(bench), (std::vector<std::string>{vexa::scanner::kPictureWidthText,
                                                             vexa::scanner::kAreaWidthText}));
    QCOMPARE(bench.commands(), Commands{"V"});
  }

  // The scan locks its fields with the focus in the first one: switching them off passes the
  // focus through the area fields, and their leave rules must not derive one from the other.
  void theScanReadsTheFieldsAsTheyStand_data() {
    QTest::addColumn<QString>("area");
    QTest::addColumn<QString>("firstMove");  // empty: refused, nothing sent
    QTest::addColumn<QString>("message");
    QTest::newRow("100 mm: 100 / 29 / 0,005 steps") << "100" << "690,0,0"
                                                    << "Сканирвание завершено";
    QTest::newRow("letters: refused") << "abc" << "" << vexa::scanner::kAreaWidthText;
  }
  void theScanReadsTheFieldsAsTheyStand() {
    QFETCH(QString, area);
    QFETCH(QString, firstMove);
    QFETCH(QString, message);
    Bench bench("ST", {"--probe", "40"});
    ScannerWindow& window = bench.open();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (const auto& [name, text] : {std::pair{"Text3", "30"},
                                     {"Text4", "25"},
                                     {"Text6", "290"},
                                     {"Text7", "240"}}) {
      bench.type(name, text);
    }
    bench.type("Text8", area);
    const QString areaHeight = bench.field("Text9")->text();
    bench.field("Text3")->setFocus();
    QVERIFY(bench.field("Text3")->hasFocus());
    bench.click("Command6");
    QCOMPARE(QString::fromStdString(messageTexts(bench).back()), message);
    const Commands commands = bench.commands();
    if (firstMove.isEmpty()) {
      QCOMPARE(commands, Commands{"V"});
    } else {
      QCOMPARE(commands.size(), size_t(1 + 2 * 30 * 25 - 1));
      QCOMPARE(QString::fromStdString(commands[2]), firstMove);
    }
    QCOMPARE(bench.field("Text8")->text(), area);
    QCOMPARE(bench.field("Text9")->text(), areaHeight);
    window.close();
    QCOMPARE(QString::fromStdString(bench.setting("scanner_area_width")), area);
  }

  void theManualMoveSendsThreeFieldsAndUnusableSettingsTakeTheDefaults() {
    Bench bench("ST", {"--probe", "40"});
    bench.sim.folder.write("cnc.ini",
                           "[CNC]\r\nscanner_mesh_width=-8\r\nscanner_picture_width=0\r\n"
                           "scanner_picture_height=150\r\nscanner_area_width=90\r\n");
    ScannerWindow& window = bench.open();
    QCOMPARE(bench.field("Text3")->text(), QString("6"));
    QCOMPARE(bench.field("Text6")->text(), QString("200"));
    QCOMPARE(bench.field("Text9")->text(), QString("67"));  // 150 x 90 div 200
    QCOMPARE(window.box()->boxSize(), QSize(222, 172));
    bench.sim.link.StopRequested = true;  // a Stop pressed before does not end the move
    bench.field("tx")->setText("1");
    bench.field("tz")->setText("-0,5");
    bench.button("Command3")->click();
    QCOMPARE(bench.commands(), (Commands{"V", "200,0,-100"}));
  }
};

QTEST_MAIN(ScannerWindowTest)
#include "scanner_window_test.moc"
