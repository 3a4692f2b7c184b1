// The standard G-code form: numbers, line forms, the job families' paths and the end of a file
// whose job was stopped.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
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

TEST(Rounded, HalvesAwayFromZeroAsTheLibraryRounds) {
  const double cases[] = {0,    0.49999999999999994, 0.5,   1.5,   2.5,     -0.5,
                          -2.5, -0.49999999999999994, 1e-300, -0.0, 1234.4999, -1234.5001,
                          4503599627370495.5, -4503599627370495.5, 8.9e15, -8.9e15 + 1};
  for (double value : cases) EXPECT_EQ(Rounded(value), std::llround(value)) << value;
  for (int i = -20000; i <= 20000; ++i) {
    const double value = i * 0.0137 * 1000;  // coordinates as a raster job makes them
    ASSERT_EQ(Rounded(value), std::llround(value)) << value;
  }
}

TEST(WrittenMm, IsTheNumberFormatMmWrites) {
  for (double value : {0.0, 2.0, 12.5, 1.23456, -0.0004, -1.5, 0.0005, 123456.789, -0.0031,
                       -987654321.0625, 8.9e11}) {
    const WrittenMm written = WrittenMm::Of(value);
    EXPECT_EQ(std::string(written.text, written.length), FormatMm(value)) << value;
    EXPECT_EQ(written.thousandths, Thousandths(value)) << value;
  }
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

// The edges a path keeps must write what the step totals give, whatever the moves: a pixel
// either way, several pixels, steps that leave the edges and come back, a turned axis.
TEST(RasterPath, EdgesKeptWriteWhatTheStepTotalsGive) {
  for (const double ratio : {0.0137, -0.0137, 0.005}) {
    for (const std::int32_t perPixel : {7, -7}) {
      StandardLines plain, kept;
      RasterPath plainPath(plain, {ratio, ratio, ratio}, 255, 3000);
      RasterPath keptPath(kept, {ratio, ratio, ratio}, 255, 3000, perPixel);
      const auto both = [&](auto move) {
        move(plainPath);
        move(keptPath);
      };
      both([&](RasterPath& p) { p.travel(3 * perPixel, 0); });
      for (int row = 0; row < 4; ++row) {
        const std::int32_t way = row % 2 == 0 ? perPixel : -perPixel;
        for (int i = 0; i < 40; ++i) {
          both([&](RasterPath& p) { p.burn(way, (i * 97 + row * 31) % 3100); });
        }
        both([&](RasterPath& p) { p.travel(0, perPixel); });
      }
      both([&](RasterPath& p) { p.travel(5, 0); });  // off the edges
      for (int i = 0; i < 10; ++i) both([&](RasterPath& p) { p.burn(perPixel, 2000); });
      both([&](RasterPath& p) { p.travel(-5 - 60 * perPixel, 0); });  // back on, left of 0
      for (int i = 0; i < 10; ++i) both([&](RasterPath& p) { p.burn(perPixel, 1000); });
      const std::string text = plain.take();
      EXPECT_EQ(kept.take(), text) << ratio << " " << perPixel;
      EXPECT_GT(text.size(), 2000u);
    }
  }
}

TEST(RasterPath, EveryDwellBurnsAtItsOwnPowerHoweverOftenItComesBack) {
  StandardLines lines;
  RasterPath path(lines, {0.005, 0.005, 0.005}, 1000, 4000);
  std::vector<std::int32_t> dwells;
  for (std::int32_t dwell = -10; dwell <= 4100; dwell += 7) dwells.push_back(dwell);
  for (std::int32_t dwell = 4100; dwell >= 0; dwell -= 13) dwells.push_back(dwell);
  std::string expected;
  for (std::int32_t dwell : dwells) {
    path.travel(0, 1);  // the laser off: the next burn names its power
    path.burn(1, dwell);
    const long long power = std::llround(std::clamp(dwell / 4000.0, 0.0, 1.0) * 1000);
    if (power > 0) expected += "S" + std::to_string(power) + " ";
  }
  std::string written;
  std::istringstream text(lines.take());
  for (std::string line; std::getline(text, line);) {
    if (line.starts_with("M4 ")) written += line.substr(3, line.size() - 4) + " ";
  }
  EXPECT_EQ(written, expected);
}

TEST(GcodeExport, LinesWrittenInPiecesMakeTheWholeFile) {
  vexa::test::TempFolder folder;
  StandardLines expected;
  expected.header("job");
  {
    GcodeExport file(folder / "program.gcode", "job", GcodeExport::Tool::Laser, 2);
    for (int i = 1; i <= 20000; ++i) {
      file.lines().rapid(i * 0.001, i % 7);
      expected.rapid(i * 0.001, i % 7);
      file.moved();
    }
    file.finish();
  }
  expected.end();
  EXPECT_EQ(FileText(folder / "program.gcode"), expected.take() + "\r\n");
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
