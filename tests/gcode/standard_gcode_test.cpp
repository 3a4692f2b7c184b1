// The standard G-code form: numbers, line forms, the job families' paths and the end of a file
// whose job was stopped.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "gcode/gcode_export.h"
#include "gcode/gcode_number.h"
#include "gcode/job_gcode.h"
#include "gcode/standard_lines.h"
#include "gcode/step_paths.h"
#include "support/temp_folder.h"

namespace vexa::gcode {
namespace {

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(FormatMm, ThreeDecimalsAtMostWithAPointAndNoNegativeZero) {
  const std::pair<double, const char*> cases[] = {
      {0, "0"},          {2, "2"},         {12.5, "12.5"},     {1.23456, "1.235"},
      {-0.0004, "0"},    {-1.5, "-1.5"},   {0.0005, "0.001"},  {123456.789, "123456.789"},
      {1.0 / 3, "0.333"}, {-0.0031, "-0.003"}};
  for (const auto& [value, text] : cases) EXPECT_EQ(FormatMm(value), text) << value;
}

TEST(FeedMmPerMinute, OneStepPerDelay) {
  EXPECT_DOUBLE_EQ(FeedMmPerMinute(0.005, 1000), 300);   // 5 µm every millisecond
  EXPECT_DOUBLE_EQ(FeedMmPerMinute(-0.005, 4000), 75);  // the sign only turns the axis
  EXPECT_EQ(FeedMmPerMinute(0.005, 0), 0);
}

TEST(StandardLines, WritesOnlyWhatChanges) {
  StandardLines lines;
  lines.header("Vexa: test (1)");
  lines.rapid(1, 2);
  lines.rapid(1, 2);  // nowhere: no line
  lines.laserOn(1000);
  lines.laserOn(1000);
  lines.work(3, 2, {}, 300);
  lines.work(3.0001, 4, {}, 300);  // X the same to three decimals, F the same
  lines.laserOn(500);
  lines.laserOff();
  lines.end();
  EXPECT_EQ(lines.take(),
            "G21\r\nG90\r\n(Vexa: test [1])\r\nG0 X1 Y2\r\nM4 S1000\r\nG1 X3 F300\r\nG1 Y4\r\n"
            "M4 S500\r\nM5\r\nM2");
  EXPECT_EQ(lines.position(), "X3 Y4");
}

link::StepsMoved Steps(int x, int y, int z, int laser, int delay) {
  return {x, y, z, laser, delay};
}

TEST(MillingPath, TravelsHighPlungesAndMillsThenRetractsToTheSafeHeight) {
  StandardLines lines;
  MillingPath path(lines, {0.01, 0.01, 0.01}, 2);
  path.moved(Steps(100, 50, 0, 0, 2000));   // travel
  path.moved(Steps(0, 0, -100, 0, 4000));   // plunge 1 mm at 4000 µs a step
  path.moved(Steps(10, 0, 0, 0, 0));        // mill at the plunge's pace
  path.moved(Steps(0, 10, 30, 0, 0));       // shallower
  path.moved(Steps(0, 0, 0, 0, 0));         // nothing moves
  path.moved(Steps(0, 0, 70, 0, 2000));     // back to the surface: retract
  path.moved(Steps(-110, -60, 0, 0, 2000));
  EXPECT_EQ(lines.take(),
            "G0 Z2\r\nG0 X1 Y0.5\r\nG1 Z-1 F150\r\nG1 X1.1\r\nG1 Y0.6 Z-0.7\r\nG0 Z2\r\n"
            "G0 X0 Y0");
}

TEST(LaserPath, BurnsWithG1AtTheLaserDelayAndTravelsWithG0) {
  StandardLines lines;
  LaserPath path(lines, {0.005, 0.005, 0.005}, 1000);
  path.moved(Steps(20, 20, 0, 0, 2000));
  path.moved(Steps(0, 0, 0, 1, 1000));
  path.moved(Steps(1, 1, 0, 0, 0));
  path.moved(Steps(0, 0, 0, -1, 2000));
  path.moved(Steps(-21, -21, 0, 0, 0));
  EXPECT_EQ(lines.take(), "G0 X0.1 Y0.1\r\nM4 S1000\r\nG1 X0.105 Y0.105 F300\r\nM5\r\nG0 X0 Y0");
}

TEST(RasterPath, PowerFollowsTheDwellAtOneFeed) {
  StandardLines lines;
  RasterPath path(lines, {0.005, 0.005, 0.005}, 1000, 4000);
  path.travel(50, 0);
  path.burn(50, 4000);
  path.burn(50, 1000);
  path.travel(0, 50);
  EXPECT_EQ(lines.take(),
            "G0 X0.25 Y0\r\nM4 S1000\r\nG1 X0.5 F75\r\nG1 X0.75 S250\r\nM5\r\nG0 Y0.25");
}

TEST(JobGcode, AStoppedJobEndsItsFileWithWhereAndTheToolSafe) {
  struct Case {
    JobGcode::Tool tool;
    std::vector<link::StepsMoved> moves;
    const char* ending;
  };
  const Case cases[] = {
      {JobGcode::Tool::Laser,
       {Steps(200, 0, 0, 0, 2000), Steps(0, 0, 0, 1, 1000), Steps(2, 0, 0, 0, 0)},
       "G1 X1.01 F300\r\n(Работа прервана на X1.01 Y0)\r\nM5\r\nM2\r\n"},
      {JobGcode::Tool::Cutter,
       {Steps(200, 0, 0, 0, 2000), Steps(0, 0, -40, 0, 4000)},
       "G1 Z-0.2 F75\r\n(Работа прервана на X1 Y0 Z-0.2)\r\nG0 Z2\r\nM5\r\nM2\r\n"},
  };
  for (const Case& c : cases) {
    vexa::test::TempFolder folder;
    link::MoveListener slot;
    {
      JobGcode gcode(folder / "program.gcode", "job", c.tool, {0.005, 0.005, 0.005}, {}, slot);
      for (const link::StepsMoved& move : c.moves) slot(move);
    }  // the link abort unwinds past finish()
    EXPECT_FALSE(slot) << "the moves stop reporting to a file that is closed";
    const std::string text = FileText(folder / "program.gcode");
    EXPECT_EQ(text.substr(0, 11), "G21\r\nG90\r\n(");
    EXPECT_EQ(text.substr(text.size() - std::string(c.ending).size()), c.ending);
  }
}

}  // namespace
}  // namespace vexa::gcode
