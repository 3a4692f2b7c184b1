// The G-code window on a vexa-sim controller: it sends exactly the translation of the file it
// read, its estimate counts those commands (planned anew when the settings change), an "OT" laser
// is switched off as often as on and is off at the end, also after "Стоп" and "Да"; a file with
// words it cannot carry out is refused or asked about before anything runs.

#include "gcode_run/gcode_window.h"

#include <QComboBox>
#include <QtTest>

#include "gcode/firmware_commands.h"
#include "support/window_bench.h"

using vexa::test::Commands;
using Bench = vexa::test::WindowBench<vexa::gcode_run::GcodeWindow>;

namespace {

const char* const kPocket =
    "%\n(pocket)\nG21 G90\nG0 Z2\nG0 X0 Y0\nG1 Z-1 F200\nG1 X10 F600\nG2 X20 Y10 I0 J10\n"
    "G1 Y20\nG3 X10 Y30 R10\nG1 X0\nG1 Y0\nG0 Z2\nM30\n%\n";
const char* const kLaser =
    "G21 G90\nG0 X1\nG0 Y1\nM4 S800\nG1 X5 Y1 F600\nG1 X5 Y5\nG1 X1 Y5\nG1 X1 Y1\nM5\n"
    "G0 X8 Y1\nM4 S500\nG1 X12 Y4 F300\nM5\nG0 X0 Y0\nM2\n";

// What the board must get for `text`: the translation's commands as the firmware takes them.
Commands Translated(const char* text, vexa::gcode::Firmware firmware,
                    const vexa::link::MachineSettings& machine) {
  const vexa::gcode::GcodeRead read = vexa::gcode::ReadGcodeProgram(text);
  const auto translation = vexa::gcode::TranslateProgram(
      read.program, vexa::gcode::TranslateSettings::Of(machine, firmware));
  vexa::gcode::FirmwareCommands texts(firmware);
  Commands commands;
  for (const auto& command : translation.commands) {
    std::string sent = texts.text(command);
    if (sent.empty()) continue;
    if (sent.back() == ';') sent.pop_back();  // the log keeps no ";"
    commands.push_back(sent);
  }
  return commands;
}

long EstimatedCommands(const QString& label) {
  return QString(label.section(", ", 1).section(QStringLiteral(" команд"), 0, 0))
      .remove(' ')
      .toLong();
}

// The laser commands of an "OT" log in order: +1 on, -1 off.
std::vector<int> LaserSwitches(const Commands& commands) {
  std::vector<int> switches;
  for (const std::string& c : commands) {
    if (c.rfind("0,0,1", 0) == 0) switches.push_back(1);
    if (c.rfind("0,0,-1", 0) == 0) switches.push_back(-1);
  }
  return switches;
}

void ExpectLaserBalancedAndOff(const Commands& commands) {
  const std::vector<int> switches = LaserSwitches(commands);
  QVERIFY(!switches.empty());
  int on = 0;
  for (const int s : switches) {
    QVERIFY2(s != 1 || on == 0, "switched on twice");
    on = s == 1 ? 1 : 0;
  }
  QCOMPARE(switches.back(), -1);
}

void OpenFile(Bench& bench, const char* text) {
  bench.sim.folder.write("job.nc", text);
  QVERIFY(bench.window->openFile(bench.sim.folder / "job.nc"));
  QTRY_VERIFY_WITH_TIMEOUT(!bench.label("Label9").contains("считается"), 60000);
}

}  // namespace

class GcodeWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void sendsTheTranslationItEstimated_data() {
    QTest::addColumn<QString>("tag");
    QTest::addColumn<QString>("file");
    QTest::newRow("pocket on the mill") << "MT" << kPocket;
    QTest::newRow("contours with the laser") << "OT" << kLaser;
  }
  void sendsTheTranslationItEstimated() {
    QFETCH(QString, tag);
    QFETCH(QString, file);
    Bench bench(tag.toLatin1().constData());
    bench.open();
    QVERIFY(!bench.find<QComboBox>("Combo1")->isEnabled());  // the board decides
    OpenFile(bench, file.toLatin1().constData());
    const auto firmware =
        tag == "OT" ? vexa::gcode::Firmware::Laser : vexa::gcode::Firmware::Milling;
    const Commands expected = Translated(file.toLatin1().constData(), firmware, bench.sim.machine);
    QCOMPARE(EstimatedCommands(bench.label("Label9")), long(expected.size()));
    bench.click("Command1");
    Commands sent = bench.commands();
    QCOMPARE(sent.front(), std::string("V"));
    sent.erase(sent.begin());
    QCOMPARE(sent, expected);
    if (tag == "OT") ExpectLaserBalancedAndOff(sent);
    QVERIFY(bench.sim.prompts.messages.empty());
  }

  void stopAndYesLeaveTheLaserOff() {
    Bench bench("OT", {"--delay", "20"});
    bench.open();
    OpenFile(bench, kLaser);
    bench.sim.prompts.answers = {true};  // "Остановить?" "Да"
    vexa::test::OnceReceived(bench.sim.sim, 6, bench.window.get(),
                             [&] { bench.sim.link.StopRequested = true; });
    bench.click("Command1");
    QCOMPARE(bench.sim.prompts.questions.size(), std::size_t(1));
    const Commands sent = bench.commands();
    QVERIFY(sent.size() <
            Translated(kLaser, vexa::gcode::Firmware::Laser, bench.sim.machine).size());
    ExpectLaserBalancedAndOff(sent);
  }

  void theEstimateFollowsTheSettings() {
    Bench bench("MT");
    bench.open();
    OpenFile(bench, kPocket);
    const long before = EstimatedCommands(bench.label("Label9"));
    bench.sim.machine.SM_X_ratio /= 4;  // four times the steps along X
    const long after =
        long(Translated(kPocket, vexa::gcode::Firmware::Milling, bench.sim.machine).size());
    QVERIFY(after != before);
    QTRY_COMPARE_WITH_TIMEOUT(EstimatedCommands(bench.label("Label9")), after, 60000);
  }

  void wordsItCannotCarryOutAreListedFirst() {
    Bench bench("MT");
    bench.open();
    // A fourth axis would move the machine: refused, whatever the user would say.
    bench.sim.folder.write("axis.nc", "G1 X1 A5 F100\n");
    QVERIFY(!bench.window->openFile(bench.sim.folder / "axis.nc"));
    QCOMPARE(bench.sim.prompts.messages.size(), std::size_t(1));
    QVERIFY(bench.sim.prompts.messages[0].text.find("1") != std::string::npos);
    // Coolant does not move: asked, and run without it only on "Да".
    bench.sim.folder.write("coolant.nc", "M8\nG1 X1 F100\nM9\n");
    bench.sim.prompts.answers = {false, true};
    QVERIFY(!bench.window->openFile(bench.sim.folder / "coolant.nc"));
    QVERIFY(bench.window->openFile(bench.sim.folder / "coolant.nc"));
    // A broken number names its line.
    bench.sim.folder.write("broken.nc", "G1 X1 F100\nG1 X1.2.3\n");
    QVERIFY(!bench.window->openFile(bench.sim.folder / "broken.nc"));
    QVERIFY(bench.sim.prompts.messages.back().text.find("2") != std::string::npos);
    QVERIFY(bench.window->hasProgram());  // the file read before stays
  }
};

QTEST_MAIN(GcodeWindowTest)
#include "gcode_window_test.moc"
