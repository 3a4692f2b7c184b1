// The G-code export's line forms and how the lines are gathered.

#include "raster/gcode_lines.h"

#include <gtest/gtest.h>

#include "gcode/gcode_file.h"
#include "support/temp_folder.h"

namespace vexa::raster {
namespace {

using gcode::GcodeFile;
using gcode::kGcodeFileError;

TEST(GcodeLines, BlackPixelAtColumnThreeOfAFiveHundredPixelHundredMillimetreRow) {
  GcodeLines lines(100, 500, 50, 250);
  lines.travel(2);
  lines.burn(4000, 3);
  lines.row(2);
  EXPECT_EQ(lines.take(), "G0 X0.4\r\nS4000 M3\r\nG0 X0.6\r\nM5\r\nG0 Y0.2");
  EXPECT_TRUE(lines.empty());
  EXPECT_EQ(lines.lineCount(), 5);
}

TEST(GcodeLines, CoordinatesHaveAtMostTwoDecimalsAndNoTrailingZeros) {
  GcodeLines lines(100, 300, 10, 3);
  lines.travel(0);
  lines.travel(1);    // 0.333...
  lines.travel(2);    // 0.666...
  lines.travel(300);  // 100
  lines.row(1);
  lines.row(3);  // 6.666...
  EXPECT_EQ(lines.take(), "G0 X0\r\nG0 X0.33\r\nG0 X0.67\r\nG0 X100\r\nG0 Y0\r\nG0 Y6.67");
}

TEST(GcodeLines, ReturnLineAndTheDwellAsTheSWord) {
  GcodeLines lines(10, 10, 10, 10);
  lines.burn(0, 1);
  lines.returnHome();
  EXPECT_EQ(lines.take(), "S0 M3\r\nG0 X1\r\nM5\r\nG0 X0 Y0");
}

TEST(GcodeLines, EdgesBeyondThePictureAndChangingDwellsAreWrittenAsTheyCome) {
  GcodeLines lines(10, 10, 10, 10);
  lines.burn(5, 3);
  lines.burn(5, 11);  // beyond the last edge
  lines.burn(7, -1);  // before the first
  lines.burn(5, 3);   // an edge and a dwell met before
  lines.travel(11);
  EXPECT_EQ(lines.take(),
            "S5 M3\r\nG0 X3\r\nM5\r\nS5 M3\r\nG0 X11\r\nM5\r\nS7 M3\r\nG0 X-1\r\nM5\r\n"
            "S5 M3\r\nG0 X3\r\nM5\r\nG0 X11");
  EXPECT_EQ(lines.lineCount(), 13);
  EXPECT_TRUE(lines.empty());
}

TEST(GcodeFile, ReplacesTheOldFileAndEndsEveryWriteWithCrLf) {
  test::TempFolder folder;
  folder.write("program.gcode", "old content that must go\r\n");
  GcodeLines lines(10, 10, 10, 10);
  GcodeFile file(folder / "program.gcode");
  EXPECT_EQ(folder.read("program.gcode"), "");
  file.write(lines);  // nothing gathered: nothing written
  lines.row(2);
  file.write(lines);
  EXPECT_EQ(folder.read("program.gcode"), "G0 Y1\r\n") << "written through at once";
  lines.row(3);
  lines.returnHome();
  file.write(lines);
  file.close();
  EXPECT_EQ(folder.read("program.gcode"), "G0 Y1\r\nG0 Y2\r\nG0 X0 Y0\r\n");
}

TEST(GcodeFile, AFileThatCannotBeCreatedIsAnErrorWithItsPath) {
  test::TempFolder folder;
  const auto path = folder / "no-such-folder" / "program.gcode";
  try {
    GcodeFile file(path);
    FAIL() << "no error";
  } catch (const settings::VexaError& error) {
    EXPECT_EQ(error.number(), kGcodeFileError);
    EXPECT_EQ(error.description(), "Ошибка записи файла " + path.string() + "!");
  }
}

}  // namespace
}  // namespace vexa::raster
