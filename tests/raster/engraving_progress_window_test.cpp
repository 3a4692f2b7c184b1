// The laser (Form3) and wood-burning (Form8) windows' estimate, progress and "Продолжить"
// against vexa-sim: the estimate equals the time model over what the emulator received, in
// every mode; it follows the fields; a run shows its progress; and a run cut by a hung-up line
// goes on where the controller stopped confirming once the port answers again.

#include <QLabel>
#include <QProgressBar>
#include <QtTest>

#include "app/connection_check.h"
#include "command_model.h"
#include "raster/raster_window.h"
#include "raster/run_estimate.h"
#include "support/window_bench.h"
#include "wood/wood_window.h"

using vexa::picture::PixelBuffer;
using vexa::picture::test::GrayPicture;
using vexa::raster::RasterWindow;
using vexa::wood::WoodWindow;
using Commands = std::vector<std::string>;

namespace {

// 0,8 mm over 4 pixels at 0,005 mm per step: 40 steps per pixel.
const char* const kLaserSettings = "Etching_width=0,8\r\nEtching_diameter=0,2\r\nEtching_min=100\r\n";
const char* const kShockSettings = "sh_Etching_width=0,8\r\nsh_Etching_diameter=0,2\r\n"
                                   "sh_Etching_delay=3000\r\n";
const char* const kWoodSettings = "Etching1_width=0,8\r\nEtching1_diameter=0,2\r\n";

PixelBuffer grayRows() {
  return GrayPicture({{0, 128, 255, 200}, {255, 255, 255, 255}, {17, 255, 0, 90}});
}

// The commands after the firmware check's "V".
Commands sentByTheRun(Commands log) {
  log.erase(log.begin());
  return log;
}

template <typename Window>
void checkEstimateAgainstTheLog(vexa::test::WindowBench<Window>& bench, const char* what) {
  const auto estimate = bench.window->estimate();
  QVERIFY2(estimate.has_value(), what);
  const QString label = bench.label("Label9");
  QVERIFY2(label.startsWith("Оценка: ") && label.contains(" команд"), qPrintable(label));
  bench.engrave();
  const Commands sent = sentByTheRun(bench.commands());
  const vexa::link::MachineLink& link = bench.sim.link;
  const auto sum = vexa::raster::test::SumOfModel(
      sent, vexa::raster::RasterTimeModel(link.pace, link.speed), bench.sim.machine.SM_delay);
  QVERIFY2(estimate->commands() == sum.commands, what);
  QVERIFY2(estimate->stepsX() == sum.stepsX && estimate->stepsY() == sum.stepsY, what);
  QVERIFY2(estimate->firmwareMicros() == sum.firmwareMicros, what);
  QVERIFY2(estimate->nanos() == sum.nanos, what);
}

}  // namespace

class EngravingProgressWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void theEstimateIsTheModelOverWhatTheControllerReceived_data() {
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("twice");
    QTest::addColumn<bool>("back");
    QTest::addColumn<bool>("white");
    QTest::newRow("laser") << "laser" << false << false << false;
    QTest::newRow("laser, double pass") << "laser" << true << false << false;
    QTest::newRow("laser, return") << "laser" << false << true << false;
    QTest::newRow("laser, double pass and return") << "laser" << true << true << false;
    QTest::newRow("laser, all white") << "laser" << false << true << true;
    QTest::newRow("impact head, double pass") << "shock_head" << true << false << false;
    QTest::newRow("wood") << "wood" << false << false << false;
    QTest::newRow("wood, return") << "wood" << false << true << false;
    QTest::newRow("wood, all white") << "wood" << false << true << true;
  }

  void theEstimateIsTheModelOverWhatTheControllerReceived() {
    QFETCH(QString, mode);
    QFETCH(bool, twice);
    QFETCH(bool, back);
    QFETCH(bool, white);
    const PixelBuffer picture = white ? PixelBuffer(4, 3) : grayRows();
    if (mode == "wood") {
      vexa::test::WindowBench<WoodWindow> bench("BT");
      bench.sim.machine.SM_delay = 1500;
      bench.prepare(picture, "Etching1_image", kWoodSettings);
      bench.open();
      bench.box("Check2")->setChecked(back);
      QCoreApplication::processEvents();
      checkEstimateAgainstTheLog(bench, qPrintable(mode));
    } else {
      vexa::test::WindowBench<RasterWindow> bench("PT");
      const bool shock = mode == "shock_head";
      bench.prepare(picture, shock ? "sh_Etching_image" : "Etching_image",
                    shock ? kShockSettings : kLaserSettings);
      bench.open(mode == "laser" ? std::string() : mode.toStdString());
      bench.box("Check7")->setChecked(twice);
      bench.box("Check2")->setChecked(back);
      QCoreApplication::processEvents();
      checkEstimateAgainstTheLog(bench, qPrintable(mode));
    }
  }

  void theEstimateFollowsTheFieldsAndTheBoxes() {
    vexa::test::WindowBench<RasterWindow> bench("PT");
    bench.prepare(grayRows(), "Etching_image", kLaserSettings);
    RasterWindow& window = bench.open("");
    const std::int64_t first = window.estimate()->nanos();
    const std::int64_t commands = window.estimate()->commands();
    bench.type("Text4", "8000");
    QCoreApplication::processEvents();
    QVERIFY(window.estimate()->nanos() > first);
    bench.box("Check7")->setChecked(true);
    QCoreApplication::processEvents();
    QVERIFY(window.estimate()->commands() > commands);
    bench.type("Text4", "много");
    QCoreApplication::processEvents();
    QVERIFY(!window.estimate());
    QCOMPARE(bench.label("Label9"), QString("Оценка: —"));
    bench.type("Text4", "4000");
    // A wider picture at the same spot: refitted, with more pixels to burn.
    bench.type("Text6", "1,6");
    QCoreApplication::processEvents();
    QCOMPARE(window.picture().width(), 8);
    QVERIFY(window.estimate()->commands() > commands);
    QVERIFY(bench.sim.prompts.messages.empty());
  }

  void aRunShowsItsProgressAndEndsWithItsOwnMessage() {
    vexa::test::WindowBench<RasterWindow> bench("PT");
    bench.prepare(grayRows(), "Etching_image", kLaserSettings);
    bench.open("");
    auto* bar = bench.template find<QProgressBar>("ProgressBar1");
    QCOMPARE(bar->value(), 0);
    const QString before = bench.label("Label9");
    bench.engrave();
    QCOMPARE(bar->value(), bar->maximum());
    QCOMPARE(bench.label("Label9"), before);  // the estimate again once the run is over
    QCOMPARE(bench.sim.prompts.messages.size(), size_t(1));
    QVERIFY(bench.sim.prompts.messages[0].text.starts_with(
        "Гравировка закончена!\r\nПродолжительность: 00:00:0"));
    QVERIFY(!bench.button("Command10")->isEnabled());
  }

  // The board hangs up at its sixth command (a burn in the first row); the user plugs another
  // one in and checks the connection in the settings window: "Продолжить" finishes the
  // run, and what both boards received is what one board receives from a whole run.
  void aRunCutByAHungUpLineGoesOnOnceThePortAnswersAgain() {
    vexa::test::WindowBench<RasterWindow> whole("PT");
    whole.prepare(grayRows(), "Etching_image", kLaserSettings);
    whole.open("");
    whole.box("Check2")->setChecked(true);
    whole.engrave();
    const Commands all = whole.commands();

    vexa::test::WindowBench<RasterWindow> bench("PT", QStringList{"--hangup-after", "6"});
    bench.prepare(grayRows(), "Etching_image", kLaserSettings);
    RasterWindow& window = bench.open("");
    bench.box("Check2")->setChecked(true);
    bench.engrave();
    QVERIFY(bench.sim.sim.waitForExit());
    const Commands cut = bench.sim.sim.receivedCommands();
    QCOMPARE(cut.size(), size_t(6));
    QVERIFY(window.interruptedRun().has_value());
    QCOMPARE(window.interruptedRun()->resume.firstMove, std::int64_t(3));
    QVERIFY(!bench.button("Command10")->isEnabled());

    vexa::test::SimProcess second({"--tag", "PT"});
    QCOMPARE(vexa::app::CheckConnection(bench.sim.link, second.portPath(), 9600),
             vexa::app::ConnectionResult::Answered);
    QTRY_VERIFY_WITH_TIMEOUT(bench.button("Command10")->isEnabled(), 10000);
    QCOMPARE(bench.label("Label4"), QString("Com-порт открыт"));

    bench.sim.prompts.answers = {true};
    bench.click("Command10");
    QCOMPARE(bench.sim.prompts.questions.size(), size_t(1));
    QCOMPARE(bench.sim.prompts.questions[0].caption, std::string("Внимание"));
    QCOMPARE(QString::fromStdString(bench.sim.prompts.questions[0].text),
             QString::fromStdString(vexa::raster::ResumeQuestionText(1, 3)));
    const Commands resumed = vexa::test::CommandsSoFar(bench.sim.link, second, "PT");
    Commands joined(cut.begin(), cut.end() - 1);  // the last one was never answered
    joined.insert(joined.end(), resumed.begin() + 2, resumed.end());  // less "V" and the setup
    QCOMPARE(joined, all);
    QVERIFY(!window.interruptedRun().has_value());
    QVERIFY(!bench.button("Command10")->isEnabled());
  }
};

QTEST_MAIN(EngravingProgressWindowTest)
#include "engraving_progress_window_test.moc"
