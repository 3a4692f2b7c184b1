// vexa-cli gcode through the real executable against vexa-sim: files written as common CAM
// programs write them arrive as commands whose path is the file's within one motor step; Ctrl+C
// leaves the machine safe; a file that cannot run is refused before anything is sent.

#include <gtest/gtest.h>

#include <QTest>
#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "gcode/gcode_program.h"
#include "support/cli_run.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"

namespace vexa::e2e {
namespace {

using Commands = std::vector<std::string>;
using Steps = std::array<long long, 3>;

// Millimetres per step, different on every axis so that no mix-up of axes goes unseen.
constexpr std::array<double, 3> kMm{0.025, 0.02, 0.01};
const std::string kSettings =
    "[CNC]\r\nSM_X_ratio=0,025\r\nSM_Y_ratio=0,02\r\nSM_Z_ratio=0,01\r\nSM_delay=1500\r\n";

// A vector editor's laser export: M4 with S on the G1 lines, S0 on travel, a circle as one G2.
constexpr const char* kLaserContour = R"(; Laser contour
G90
G21
M4 S0
G0 X12.5 Y8
G1 X42.5 Y8 S750 F1500
G1 Y28.25
G1 X12.5
G1 Y8
G0 X50 Y20 S0
G2 X50 Y20 I5 J0 S500 F1200
G0 X20 Y14 S0
G1 X35.125 Y22.375 S750 F900
M5
G0 X0 Y0
M2
)";

// A milling CAM program's 2.5D pocket: tape marks, N numbers, a tool change, coolant (left out
// with --run-anyway), arcs in both forms, two depths, a dwell.
constexpr const char* kPocket = R"(%
(POCKET1 - 3 mm flat end mill)
N10 G90 G17
N15 G21
N20 T1 M6 (flat end mill 3 mm)
N25 S12000 M3
N30 M8
N35 G0 Z5.
N40 G0 X5. Y5.
N45 G1 Z-1. F120.
N50 G1 X25. F400.
N55 G3 X27. Y7. I0. J2.
N60 G1 Y15.
N65 G3 X25. Y17. R2.
N70 G1 X5.
N75 G2 X5. Y5. I0. J-6.
N80 G4 P0.2
N85 G1 Z-2. F120.
N90 G1X25.Y5.F400.
N95 G1 Y15.
N100 G0 Z5.
N105 M9
N110 M5
N115 G0 X30. Y20.
N120 M30
%
)";

// An inch program whose passes are written relative to where they start.
constexpr const char* kInch = R"((inch, incremental passes)
G20 G90
G0 Z0.1
G0 X0.5 Y0.25
G1 Z-0.02 F10
G91
G1 X1. F20
G1 Y0.75
G1 X-1.
G1 Y-0.75
G90
G0 Z0.1
G0 X2. Y0.25
G91
G1 Z-0.12 F10
G1 X0.375 Y0.125 F15
G1 X0.375 Y-0.125
G90
G0 Z0.1
G0 X3. Y1.
M2
)";

// A logged command's fields, those left out as 0.
std::vector<long long> Fields(const std::string& command) {
  std::vector<long long> fields;
  std::stringstream in(command);
  for (std::string field; std::getline(in, field, ',');) {
    fields.push_back(field.empty() ? 0 : std::stoll(field));
  }
  fields.resize(4, 0);
  return fields;
}

// Whether `at` lies within one step, on every axis at once, of some point of the line from `a`
// to `b` (all in steps).
bool NearLine(const Steps& at, const std::array<double, 3>& a, const std::array<double, 3>& b) {
  double low = 0, high = 1;
  for (int axis = 0; axis < 3; ++axis) {
    const double d = b[axis] - a[axis], off = static_cast<double>(at[axis]) - a[axis];
    constexpr double reach = 1 + 1e-9;
    if (std::abs(d) < 1e-12) {
      if (std::abs(off) > reach) return false;
      continue;
    }
    const double t1 = (off - reach) / d, t2 = (off + reach) / d;
    low = std::max(low, std::min(t1, t2));
    high = std::min(high, std::max(t1, t2));
  }
  return low <= high;
}

struct Walk {
  Steps fileEnd{};                  // where the moves stood at the file's last segment's end
  Steps end{};                      // where they ended
  std::vector<long long> switches;  // "OT": the laser's, 1 on and -1 off
};

// Walks the moves along the file's segments (as the core reader cuts them): every move ends
// within one step of its segment, with the laser as the segment asks, and the segments' ends
// are reached in order. Moves after the last segment (the return) are only added up.
void WalkPath(const Commands& commands, const std::string& tag, const gcode::GcodeProgram& file,
              Walk& walk) {
  std::vector<std::array<double, 3>> ends{{0, 0, 0}};
  for (const gcode::Segment& s : file.segments) {
    ends.push_back({s.x / kMm[0], s.y / kMm[1], s.z / kMm[2]});
  }
  const auto stepEnd = [&](std::size_t k) {
    Steps e{};
    for (int axis = 0; axis < 3; ++axis) e[axis] = std::llround(ends[k][axis]);
    return e;
  };
  Steps& at = walk.end;
  std::size_t next = 1;  // the segment the moves are on: ends[next - 1] to ends[next]
  const auto passReached = [&] {
    while (next < ends.size() && stepEnd(next) == at) ++next;
    if (next == ends.size()) walk.fileEnd = at;
  };
  passReached();
  bool laser = false;
  for (const std::string& command : commands) {
    if (command == "V") continue;
    const std::vector<long long> f = Fields(command);
    if (tag == "OT" && f[2] != 0) {
      laser = f[2] > 0;
      walk.switches.push_back(f[2]);
      continue;
    }
    for (int axis = 0; axis < 3; ++axis) at[axis] += tag == "OT" && axis == 2 ? 0 : f[axis];
    if (next == ends.size()) continue;
    const gcode::Segment& segment = file.segments[next - 1];
    ASSERT_TRUE(NearLine(at, ends[next - 1], ends[next]))
        << command << " ends at " << at[0] << "," << at[1] << "," << at[2] << ", off line "
        << segment.line << " of the file";
    if (tag == "OT") {
      ASSERT_EQ(laser, segment.work && segment.laser) << command << ", line " << segment.line;
    }
    passReached();
  }
  ASSERT_EQ(next, ends.size()) << "the moves stopped short of the file's end";
}

struct CamFile {
  std::string name;
  std::string tag;  // vexa-sim's
  const char* text;
  Commands options;
  std::array<double, 3> endMm;  // where the file ends, worked out by hand
  bool returns = false;         // --return
};

class CliGcodeRun : public ::testing::TestWithParam<CamFile> {};

TEST_P(CliGcodeRun, TheBoardGetsTheFilesPathWithinOneStep) {
  const CamFile& c = GetParam();
  test::TempFolder folder;
  folder.write("cnc.ini", kSettings);
  folder.write("job.nc", c.text);
  test::SimProcess sim({"--tag", QString::fromStdString(c.tag)});
  Commands arguments{"--program-dir", folder.path().string(), "gcode", (folder / "job.nc").string(),
                     "--quiet"};
  arguments.insert(arguments.end(), c.options.begin(), c.options.end());
  if (c.returns) arguments.push_back("--return");
  Commands onBoard = arguments;
  onBoard.insert(onBoard.end(), {"--port", sim.portPath()});
  const test::CliRun run = test::runCli(onBoard);
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  const Commands commands = sim.receivedCommands();

  const gcode::GcodeRead read = gcode::ReadGcodeProgram(c.text);
  ASSERT_FALSE(read.error);
  Walk walk;
  ASSERT_NO_FATAL_FAILURE(WalkPath(commands, c.tag, read.program, walk));
  for (int axis = 0; axis < 3; ++axis) {
    EXPECT_EQ(walk.fileEnd[axis], std::llround(c.endMm[axis] / kMm[axis])) << "axis " << axis;
    EXPECT_EQ(walk.end[axis], c.returns ? 0 : walk.fileEnd[axis]) << "axis " << axis;
  }
  if (c.tag == "OT") {
    const std::vector<long long>& laser = walk.switches;
    ASSERT_FALSE(laser.empty());
    EXPECT_EQ(std::count(laser.begin(), laser.end(), 1),
              std::count(laser.begin(), laser.end(), -1));
    EXPECT_EQ(laser.back(), -1);
  }

  // The emulated controller playing the same firmware is sent the same.
  Commands emulated = arguments;
  emulated.insert(emulated.end(),
                  {"--firmware", c.tag, "--commands", (folder / "commands.txt").string()});
  const test::CliRun logged = test::runCli(emulated);
  ASSERT_EQ(logged.exitCode, 0) << logged.errors;
  std::ifstream file(folder / "commands.txt");
  Commands lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  EXPECT_EQ(lines, commands);
}

INSTANTIATE_TEST_SUITE_P(
    CamStyles, CliGcodeRun,
    ::testing::Values(CamFile{"LaserContour", "OT", kLaserContour, {}, {0, 0, 0}},
                      CamFile{"Pocket", "MT", kPocket, {"--run-anyway"}, {30, 20, 5}},
                      CamFile{"Inch", "MT", kInch, {}, {76.2, 25.4, 2.54}, true}),
    [](const ::testing::TestParamInfo<CamFile>& info) { return info.param.name; });

// Passes along the axes only: a command a side, so a stop comes in the middle of the work.
std::string Rectangles(const std::string& head) {
  std::string text = "G21 G90\n" + head + "\n";
  for (int pass = 0; pass < 8; ++pass) text += "G1 X40 F1200\nG1 Y30\nG1 X0\nG1 Y0\n";
  return text + "M5\nM2\n";
}

struct StopCase {
  std::string name;
  std::string tag;
  std::string head;
  std::string lastCommand;  // how this machine is left safe
};

class CliGcodeStop : public ::testing::TestWithParam<StopCase> {};

// The board answers each command a tenth of a second late, so the run is still going when
// Ctrl+C comes.
TEST_P(CliGcodeStop, CtrlCLeavesTheMachineSafeAndExitsWithThree) {
  const StopCase& c = GetParam();
  test::SimProcess sim({"--tag", QString::fromStdString(c.tag), "--delay", "100"});
  test::TempFolder folder;
  folder.write("cnc.ini", kSettings);
  folder.write("job.nc", Rectangles(c.head));
  test::RunningCli cli({"--program-dir", folder.path().string(), "gcode",
                        (folder / "job.nc").string(), "--port", sim.portPath()});
  ASSERT_TRUE(QTest::qWaitFor([&] { return sim.receivedCommands().size() > 6; }, 60000));
  cli.interrupt();
  const test::CliRun run = cli.waitForEnd();
  EXPECT_EQ(run.exitCode, 3) << run.errors;
  const Commands commands = sim.receivedCommands();
  ASSERT_GT(commands.size(), 6u);
  EXPECT_EQ(commands.back(), c.lastCommand);
}

INSTANTIATE_TEST_SUITE_P(
    EveryFirmware, CliGcodeStop,
    ::testing::Values(
        // The laser off before the stop question, which a terminal answers "stop".
        StopCase{"Laser", "OT", "M4 S800", "0,0,-1"},
        // The cutter 1.5 mm deep rises to 2 mm above the work (gcode_safe_z): 350 steps.
        StopCase{"Cutter", "MT", "M3 S10000\nG1 Z-1.5 F100", "0,0,350,1500"}),
    [](const ::testing::TestParamInfo<StopCase>& info) { return info.param.name; });

struct BadFile {
  std::string name;
  std::string text;  // empty: no file at all
  Commands options;
  std::string named;  // what the one line must name
};

class CliGcodeRefusal : public ::testing::TestWithParam<BadFile> {};

TEST_P(CliGcodeRefusal, OneLineAndNothingSent) {
  const BadFile& c = GetParam();
  test::TempFolder folder;
  folder.write("cnc.ini", kSettings);
  if (!c.text.empty()) folder.write("job.nc", c.text);
  Commands arguments{"--program-dir", folder.path().string(),
                     "gcode",         (folder / "job.nc").string(),
                     "--commands",    (folder / "commands.txt").string()};
  arguments.insert(arguments.end(), c.options.begin(), c.options.end());
  const test::CliRun run = test::runCli(arguments);
  EXPECT_EQ(run.exitCode, 1) << run.errors;
  EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
  EXPECT_NE(run.errors.find(c.named), std::string::npos) << run.errors;
  EXPECT_TRUE(run.out.empty()) << run.out;
  EXPECT_FALSE(std::filesystem::exists(folder / "commands.txt"));
}

INSTANTIATE_TEST_SUITE_P(
    BadFiles, CliGcodeRefusal,
    ::testing::Values(BadFile{"Missing", "", {}, "job.nc не найден"},
                      BadFile{"MalformedNumber", "G0 X1\nG1 X1.2.3 F100\n", {}, "X1.2.3"},
                      BadFile{"MovingUnknownWord",
                              "G0 X1\nG28 G91 Z0\nG1 X2 F100\n",
                              {"--run-anyway"},
                              "G28 (перемещает станок): строка 2"},
                      BadFile{
                          "CoolantWithoutRunAnyway", "M8\nG1 X2 F100\nM9\n", {}, "--run-anyway"},
                      BadFile{"ZOnTheLaser",
                              "G1 X5 F600\nG1 Z-1\n",
                              {"--firmware", "OT"},
                              "Строка 2: перемещение по Z"}),
    [](const ::testing::TestParamInfo<BadFile>& info) { return info.param.name; });

}  // namespace
}  // namespace vexa::e2e
