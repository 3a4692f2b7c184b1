// ReadGcodeProgram on the line forms CAM programs write, and on what it refuses or reports;
// ReadGcodeFile on the files it cannot read.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "gcode/gcode_program.h"
#include "gcode/read_gcode_file.h"
#include "support/temp_folder.h"

namespace vexa::gcode {
namespace {

constexpr std::size_t kChords = SIZE_MAX;  // an arc: as many segments as its chords

struct LineForm {
  const char* name;
  const char* text;
  double x, y, z;  // where the motion ends
  std::size_t segments;
  bool work, laser;  // of the last segment
  double feed;
  std::uint32_t line;
};

TEST(GcodeReader, ReadsTheLineFormsCamProgramsWrite) {
  const std::vector<LineForm> forms{
      {"words without spaces", "G1X10Y-2.5F300", 10, -2.5, 0, 1, true, false, 300, 1},
      {"lower case", "g1 x10 y-2.5 f300", 10, -2.5, 0, 1, true, false, 300, 1},
      {"zeros, signs, points", "G01 X+10.000 Y-2.50 F300.", 10, -2.5, 0, 1, true, false, 300, 1},
      {"point first", "G1 X.5 Y-.5 F100", 0.5, -0.5, 0, 1, true, false, 100, 1},
      {"long decimals", "G1 X1.000000000000000000000009 Y-0.0000000000000000000001 F100", 1, 0, 0,
       1, true, false, 100, 1},
      {"spaces after letters", "G1 X 10 Y -2.5 F 300", 10, -2.5, 0, 1, true, false, 300, 1},
      {"line number, checksum", "N10 G1 X10 Y-2.5 F300*57", 10, -2.5, 0, 1, true, false, 300, 1},
      {"comments", "G1 X10 (to the right) Y-2.5 F300 ; and down (still)", 10, -2.5, 0, 1, true,
       false, 300, 1},
      {"tape marks, CR LF, blank lines", "%\r\n\r\nG1 X10 Y-2.5 F300\r\n%\r\n", 10, -2.5, 0, 1,
       true, false, 300, 3},
      {"byte order mark", "\xEF\xBB\xBFG1 X10 F300", 10, 0, 0, 1, true, false, 300, 1},
      {"motion stays in force", "G1 X10 F300\nY-2.5", 10, -2.5, 0, 2, true, false, 300, 2},
      {"travel", "G0 X10 Y-2.5 Z3", 10, -2.5, 3, 1, false, false, 0, 1},
      {"travel before any G word", "X10 Y-2.5", 10, -2.5, 0, 1, false, false, 0, 1},
      {"inches", "G20 G1 X1 Y-0.5 F10", 25.4, -12.7, 0, 1, true, false, 254, 1},
      {"back to millimetres", "G20\nG21 G1 X1 F10", 1, 0, 0, 1, true, false, 10, 2},
      {"relative", "G91 G1 X10 F300\nX-2.5 Y-2.5", 7.5, -2.5, 0, 2, true, false, 300, 2},
      {"relative then absolute", "G91 G0 X10\nG90 X4", 4, 0, 0, 2, false, false, 0, 2},
      {"G92 moves the file's origin", "G0 X5\nG92 X0 Y1\nG0 X10 Y1", 15, 0, 0, 2, false, false, 0,
       3},
      {"laser under M4 S", "M4 S800\nG1 X10 F1000", 10, 0, 0, 1, true, true, 1000, 2},
      {"laser under M3 with S on the move", "M3\nG1 X10 S500 F1000", 10, 0, 0, 1, true, true, 1000,
       2},
      {"S0 switches it off", "M3 S800\nG1 X10 F1000\nG1 X20 S0", 20, 0, 0, 2, true, false, 1000, 3},
      {"M5 switches it off", "M3 S800\nG1 X10 F1000\nM5\nG1 X20", 20, 0, 0, 2, true, false, 1000,
       4},
      {"a move to where it is", "G0 X0 Y0\nG1 X10 F300\nX10", 10, 0, 0, 1, true, false, 300, 2},
      {"modes only", "G17 G21 G90\nF300 S100", 0, 0, 0, 0, false, false, 0, 0},
      {"nothing after M2", "G1 X10 F300\nM2\nG1 X20", 10, 0, 0, 1, true, false, 300, 1},
      {"nothing after M30", "G1 X10 F300 M30\n%\nG1 X20", 10, 0, 0, 1, true, false, 300, 1},
      {"clockwise arc, I J", "G0 X10\nG2 X20 I5 F300", 20, 0, 0, kChords, true, false, 300, 2},
      {"counter-clockwise arc, R", "G0 X10\nG3 X20 R5 F300", 20, 0, 0, kChords, true, false, 300,
       2},
      {"helix", "G2 X0 Y0 Z-1 I5 F100", 0, 0, -1, kChords, true, false, 100, 1},
      {"relative arc in inches", "G20 G91 G0 X1\nG3 X0 Y1 I0 J0.5 F10", 25.4, 25.4, 0, kChords,
       true, false, 254, 2},
  };
  for (const LineForm& form : forms) {
    SCOPED_TRACE(form.name);
    const GcodeRead read = ReadGcodeProgram(form.text);
    ASSERT_FALSE(read.error) << read.error->message;
    const GcodeProgram& p = read.program;
    EXPECT_TRUE(p.unknown.empty()) << p.unknown.front().word;
    if (form.segments != kChords) {
      EXPECT_EQ(p.segments.size(), form.segments);
    }
    if (p.segments.empty()) continue;
    const Segment& last = p.segments.back();
    EXPECT_NEAR(last.x, form.x, 1e-9);
    EXPECT_NEAR(last.y, form.y, 1e-9);
    EXPECT_NEAR(last.z, form.z, 1e-9);
    EXPECT_EQ(bool(last.work), form.work);
    EXPECT_EQ(bool(last.laser), form.laser);
    EXPECT_FLOAT_EQ(last.feed, form.feed);
    EXPECT_EQ(last.line, form.line);
  }
}

// Arcs as the extent sees them: a half circle above or below its chord.
TEST(GcodeReader, ArcsBulgeToTheirSide) {
  const struct {
    const char* text;
    double minY, maxY;
  } arcs[]{{"G0 X10\nG2 X20 I5", 0, 5},
           {"G0 X10\nG3 X20 I5", -5, 0},
           {"G0 X10\nG2 X20 R5", 0, 5},
           {"G0 X10\nG2 X20 Y0 R-7.0710678", 0, 5 + 7.0710678},  // three quarters, round (15, 5)
           {"G2 X10 Y10 R10", 0, 10}};
  for (const auto& arc : arcs) {
    SCOPED_TRACE(arc.text);
    const GcodeRead read = ReadGcodeProgram(arc.text);
    ASSERT_FALSE(read.error) << read.error->message;
    EXPECT_NEAR(read.program.extent.minY, arc.minY, 0.011);
    EXPECT_NEAR(read.program.extent.maxY, arc.maxY, 0.011);
  }
}

TEST(GcodeReader, KeepsPausesInOrder) {
  const GcodeRead read = ReadGcodeProgram(
      "T1 M6 (6 mm flat end mill)\nG0 X5\nG4 P1.5\nG0 X10\nT2\nM6\nG4 P0\nG1 X0 F100\n");
  ASSERT_FALSE(read.error);
  const std::vector<Pause>& p = read.program.pauses;
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(PauseText(p[0]), "Смена инструмента T1 (строка 1): 6 mm flat end mill.");
  EXPECT_EQ(p[0].beforeSegment, 0u);
  EXPECT_EQ(p[1].kind, PauseKind::Dwell);
  EXPECT_EQ(p[1].seconds, 1.5);  // P is seconds
  EXPECT_EQ(p[1].beforeSegment, 1u);
  EXPECT_EQ(PauseText(p[1]), "Пауза 1,5 с (строка 3).");
  EXPECT_EQ(PauseText(p[2]), "Смена инструмента T2 (строка 5).");  // T2 and M6 are one change
  EXPECT_EQ(p[2].beforeSegment, 2u);
  EXPECT_EQ(read.program.lines, 8u);
}

TEST(GcodeReader, ListsEveryUnknownWordWithItsLineAndWhetherItMoves) {
  const GcodeRead read =
      ReadGcodeProgram("G90 G94 G17\nM8\nG28 G91 Z0\nG90 A5\nG1 X1 F10 M7 D3\nM9\n#1=5\nM8");
  ASSERT_FALSE(read.error);
  const GcodeProgram& p = read.program;
  std::vector<std::tuple<std::uint32_t, std::string, bool>> unknown;
  for (const UnknownWord& w : p.unknown) unknown.emplace_back(w.line, w.word, w.moves);
  EXPECT_EQ(unknown, (decltype(unknown){{1, "G94", false},
                                        {2, "M8", false},
                                        {3, "G28", true},
                                        {4, "A5", true},
                                        {5, "D3", false},
                                        {5, "M7", false},
                                        {6, "M9", false},
                                        {7, "#1=5", true},
                                        {8, "M8", false}}));
  EXPECT_TRUE(p.unknownMoves);
  EXPECT_EQ(p.segments.size(), 1u);  // the rest of each line is read
  EXPECT_EQ(UnknownWordsText(p),
            "Vexa не выполняет эти слова файла:\n"
            "G94: строка 1\n"
            "M8: строки 2, 8\n"
            "G28 (перемещает станок): строка 3\n"
            "A5 (перемещает станок): строка 4\n"
            "D3: строка 5\n"
            "M7: строка 5\n"
            "M9: строка 6\n"
            "#1=5 (перемещает станок): строка 7");

  const GcodeRead still = ReadGcodeProgram("M8\nG1 X1 F10\nM9 (coolant off)\nM0\nG4 P1 Q2");
  EXPECT_EQ(still.program.unknown.size(), 4u);
  EXPECT_FALSE(still.program.unknownMoves);  // "run anyway" may be offered
}

TEST(GcodeReader, RefusesWhatCannotBeRunWithOneMessage) {
  const struct {
    std::string text;
    std::uint32_t line;
    const char* message;
  } refusals[]{
      {"G1 X1.2.3 F100", 1, "Строка 1: неверное число в слове «X1.2.3»."},
      {"G0 X10\ng1 y F100", 2, "Строка 2: неверное число в слове «Y»."},
      {"G1 X- F100", 1, "Строка 1: неверное число в слове «X-»."},
      {"G1 X12345678901 F100", 1, "Строка 1: слишком большое число в слове «X12345678901»."},
      {"G4 P-1", 1, "Строка 1: недопустимое значение в слове «P-1»."},
      {"G0 X10\nG2 X20 Y0 I4", 2,
       "Строка 2: радиус дуги в начале 4 мм, в конце 6 мм: конечная точка не лежит на дуге "
       "(допуск 0,005 мм или 0,1 % радиуса)."},
      {"G2 X20 R5", 1, "Строка 1: дуга радиусом 5 мм не достаёт до конечной точки (до неё 20 мм)."},
      {"G3 X0 Y0 R5", 1,
       "Строка 1: дуга с радиусом R кончается там, где начинается: такая дуга не задана."},
      {"G0 X1\n\nG2 X20", 3, "Строка 3: дуга без центра (I, J) и без радиуса (R)."},
      {std::string(kMostGcodeBytes + 1, ' '), 0, "Файл больше 50 МБ: такой файл не открывается."},
      {std::string(kMostGcodeLines + 1, '\n'), 0,
       "В файле больше 5 000 000 строк: такой файл не открывается."},
  };
  for (const auto& refusal : refusals) {
    SCOPED_TRACE(refusal.text.substr(0, 40));
    const GcodeRead read = ReadGcodeProgram(refusal.text);
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->line, refusal.line);
    EXPECT_EQ(read.error->message, refusal.message);
  }
  // Within the slack: 10 against 10.004 mm, and 1000 against 1000.9 mm.
  EXPECT_FALSE(ReadGcodeProgram("G0 X10\nG2 X30.004 I10").error);
  EXPECT_FALSE(ReadGcodeProgram("G0 X1000\nG2 X3000.9 I1000").error);
  EXPECT_TRUE(ReadGcodeProgram("G0 X1000\nG2 X3001.1 I1000").error);
  // Exactly the limits: read.
  EXPECT_FALSE(ReadGcodeProgram(std::string(kMostGcodeLines, '\n')).error);
}

TEST(GcodeReader, AFileItCannotReadGetsOneMessageNamingIt) {
  test::TempFolder folder;
  folder.write("job.nc", "G0 X1\nG1 X2\n");
  folder.write("broken.nc", "G0 X1\nG1 X1.2.3 F100\n");
  folder.write("large.nc", "");
  std::filesystem::resize_file(folder / "large.nc", kMostGcodeBytes + 1);
  std::filesystem::create_directory(folder / "folder.nc");
  const auto name = [&](const char* file) { return (folder / file).string(); };
  const struct {
    const char* file;
    std::uint32_t line;
    std::string message;
  } refusals[]{
      {"missing.nc", 0, "Файл " + name("missing.nc") + " не найден!"},
      {"folder.nc", 0, "Ошибка чтения файла " + name("folder.nc") + ": это папка."},
      {"large.nc", 0, "Файл " + name("large.nc") + " больше 50 МБ: такой G-код не открывается."},
      {"broken.nc", 2, "Строка 2: неверное число в слове «X1.2.3»."},
  };
  for (const auto& refusal : refusals) {
    SCOPED_TRACE(refusal.file);
    const GcodeFileRead read = ReadGcodeFile(folder / refusal.file);
    ASSERT_TRUE(read.error);
    EXPECT_EQ(read.error->line, refusal.line);
    EXPECT_EQ(read.error->message, refusal.message);
  }
  const GcodeFileRead read = ReadGcodeFile(folder / "job.nc");
  EXPECT_FALSE(read.error);
  EXPECT_EQ(read.text, "G0 X1\nG1 X2\n");
  EXPECT_EQ(read.program.segments.size(), 2u);
}

}  // namespace
}  // namespace vexa::gcode
