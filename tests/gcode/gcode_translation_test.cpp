// TranslateProgram on files in the styles of common CAM programs, the feed formula, the laser's
// switching, the estimate, and what it refuses before anything is sent.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "gcode/axis_distance.h"
#include "gcode/firmware_commands.h"
#include "gcode/program_translation.h"
#include "gcode/step_line.h"

namespace vexa::gcode {
namespace {

// A laser program's contour output for a GRBL laser: M4 with S riding on G1, coolant words for
// the air assist.
constexpr const char* kLaserContour = R"(; LightBurn-style contour, GRBL-M4
; Bounds: X5 Y5 to X45 Y35
G00 G17 G40 G21 G54
G90
M4
; Cut @ 1200 mm/min, 80% power
M8
G0 X5Y5
G1 X45S800F1200
G1 Y35
G1 X5
G1 Y5
G0 X20Y12.5
G1 X30Y12.5S600
G2 X30Y27.5I0J7.5
G1 X20
G3 X20Y12.5I0J-7.5
M9
G1 S0
M5
G90
G0 X0 Y0
M2
)";

// A 2.5D milling CAM's pocket: numbered lines, a tool change, plunges, corner arcs in both forms
// and a full circle.
constexpr const char* kPocket = R"(%
O1001 (POCKET)
(T1  D=3.175 CR=0. - ZMIN=-2. - FLAT END MILL)
N10 G90 G94 G17 G91.1
N15 G21
N25 T1 M6
N30 S12000 M3
N40 G0 X10. Y10.
N45 Z5.
N50 G1 Z1. F300.
N55 Z-1.
N60 G1 X30. F800.
N65 G3 X35. Y15. I0. J5.
N70 G1 Y25.
N75 G3 X30. Y30. I-5. J0.
N80 G1 X10.
N85 G3 X5. Y25. R5.
N90 G1 Y15.
N95 G3 X10. Y10. I5. J0.
N100 G1 Z-2. F300.
N105 G2 X10. Y10. I10. J10. F600.
N110 G0 Z5.
N115 M5
N120 M30
%
)";

// An inch file with relative blocks, CR LF ends.
constexpr const char* kInches =
    "(inch job, relative blocks)\r\n"
    "G20 G90\r\n"
    "G0 X0.5 Y0.5 Z0.1\r\n"
    "G1 Z-0.02 F10\r\n"
    "G91\r\n"
    "G1 X1.0 F20\r\n"
    "G1 Y0.25\r\n"
    "G1 X-1.0 Y0.2\r\n"
    "G3 X1 Y0 I0.5 J0\r\n"
    "G1 X0.0004 Y-0.0003\r\n"
    "G90\r\n"
    "G0 Z0.1\r\n"
    "G0 X0.0001 Y0\r\n"
    "M30\r\n";

TranslateSettings Settings(Firmware firmware) {
  TranslateSettings settings;
  settings.mm = {0.0125, -0.01, 0.005};  // the sign turns the axis, as SM_Y_ratio may
  settings.travelDelay = 1500;
  settings.firmware = firmware;
  return settings;
}

Point3 InSteps(const Segment& s, const Calibration& mm) {
  return {s.x / mm.x, s.y / mm.y, s.z / mm.z};
}

// Every move checked against the segment it belongs to: its end within half a step of it and
// every corner of its box (the path in any axis order) within one step, along every axis; the
// moves of a segment end on its nearest step point.
void ExpectOnThePath(const GcodeProgram& program, const Translation& t, const Calibration& mm) {
  const std::vector<Segment>& segments = program.segments;
  StepPoint at{0, 0, 0};
  std::size_t s = 0;
  const auto rounded = [&](std::size_t i) {
    const Point3 p = InSteps(segments[i], mm);
    return StepPoint{NearestStep(p[0]), NearestStep(p[1]), NearestStep(p[2])};
  };
  for (const StepCommand& c : t.commands) {
    if (c.kind != CommandKind::Move) continue;
    while (s < segments.size() && rounded(s) == at) ++s;  // done, or too short for a step
    ASSERT_LT(s, segments.size()) << "a move after the last segment";
    EXPECT_EQ(c.line, segments[s].line);
    EXPECT_EQ(c.work, bool(segments[s].work));
    const Point3 from = s == 0 ? Point3{0, 0, 0} : InSteps(segments[s - 1], mm);
    const Point3 to = InSteps(segments[s], mm);
    const StepPoint end{at[0] + c.x, at[1] + c.y, at[2] + c.z};
    for (int corner = 0; corner < 8; ++corner) {
      Point3 p;
      for (int a = 0; a < 3; ++a) p[a] = static_cast<double>((corner >> a & 1) ? end[a] : at[a]);
      ASSERT_LE(AxisDistance(p, from, to), 1 + 1e-9) << "line " << c.line;
    }
    ASSERT_LE(AxisDistance({double(end[0]), double(end[1]), double(end[2])}, from, to), 0.5 + 1e-9);
    at = end;
  }
  while (s < segments.size() && rounded(s) == at) ++s;
  EXPECT_EQ(s, segments.size()) << "segments left unmoved";
}

TEST(GcodeTranslation, CamFilesArriveStepForStep) {
  const struct {
    const char* name;
    const char* text;
    Firmware firmware;
  } files[]{{"laser contour, MT", kLaserContour, Firmware::Milling},
            {"laser contour, OT", kLaserContour, Firmware::Laser},
            {"2.5D pocket", kPocket, Firmware::Milling},
            {"inches, relative", kInches, Firmware::Milling}};
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    const GcodeRead read = ReadGcodeProgram(file.text);
    ASSERT_FALSE(read.error) << read.error->message;
    EXPECT_FALSE(read.program.unknownMoves) << UnknownWordsText(read.program);
    const TranslateSettings settings = Settings(file.firmware);
    const Translation t = TranslateProgram(read.program, settings);
    ASSERT_FALSE(t.error) << t.error->message;

    // The carry: the steps add up to the file's end at the calibration, nothing lost.
    const Point3 end = InSteps(read.program.segments.back(), settings.mm);
    EXPECT_EQ(t.totals.endX, NearestStep(end[0]));
    EXPECT_EQ(t.totals.endY, NearestStep(end[1]));
    EXPECT_EQ(t.totals.endZ, NearestStep(end[2]));
    std::int64_t x = 0, y = 0, z = 0;
    for (const StepCommand& c : t.commands) {
      x += c.x;
      y += c.y;
      z += c.z;
    }
    EXPECT_EQ(x, t.totals.endX);
    EXPECT_EQ(y, t.totals.endY);
    EXPECT_EQ(z, t.totals.endZ);
    EXPECT_EQ(t.totals.commands, static_cast<std::int64_t>(t.commands.size()));
    ExpectOnThePath(read.program, t, settings.mm);

    if (file.firmware == Firmware::Laser) {
      // On only for work under M4 S, off before travel and at the end.
      bool on = false;
      for (const StepCommand& c : t.commands) {
        if (c.kind == CommandKind::LaserOn || c.kind == CommandKind::LaserOff) {
          EXPECT_NE(on, c.kind == CommandKind::LaserOn) << "switched twice, line " << c.line;
          on = c.kind == CommandKind::LaserOn;
        } else if (c.kind == CommandKind::Move) {
          EXPECT_EQ(on, c.work) << "line " << c.line;  // every work move here burns
        }
      }
      EXPECT_FALSE(on);
    }
  }
}

StepCommand Move(std::int32_t x, std::int32_t y, std::int32_t delay, std::uint32_t line,
                 bool work) {
  return {x, y, 0, delay, -1, line, CommandKind::Move, work};
}

StepCommand Switch(CommandKind kind, std::uint32_t line, bool work) {
  return {0, 0, 0, 0, -1, line, kind, work};
}

TEST(GcodeTranslation, TheLaserFirmwareSwitchesTheLaserAroundTheWork) {
  const GcodeRead read = ReadGcodeProgram(
      "M4 S500\nG0 X1\nG1 X2 F600\nG1 Y1\nG0 X0\nG1 X1 F600\nM5\nG1 X2\nG4 P1\nM2\n");
  ASSERT_FALSE(read.error);
  TranslateSettings settings = Settings(Firmware::Laser);
  settings.mm = {0.01, 0.01, 0.01};
  const Translation t = TranslateProgram(read.program, settings);
  ASSERT_FALSE(t.error);
  const std::vector<StepCommand> expected{
      Move(100, 0, 1500, 2, false),
      Switch(CommandKind::LaserOn, 3, true),
      Move(100, 0, 1000, 3, true),  // 60 000 000 x 0.01 mm / 600 mm/min
      Move(0, 100, 1000, 4, true),
      Switch(CommandKind::LaserOff, 5, false),
      Move(-200, 0, 1500, 5, false),
      Switch(CommandKind::LaserOn, 6, true),
      Move(100, 0, 1000, 6, true),
      Switch(CommandKind::LaserOff, 8, true),  // M5: the G1 after it moves dark
      Move(100, 0, 1000, 8, true),
      {0, 0, 0, 0, 0, 9, CommandKind::Dwell, false},
  };
  EXPECT_EQ(t.commands, expected);

  FirmwareCommands laser(Firmware::Laser), milling(Firmware::Milling);
  std::vector<std::string> texts;
  for (const StepCommand& c : t.commands) texts.push_back(laser.text(c));
  EXPECT_EQ(texts, (std::vector<std::string>{"100,0,0,1500;", "0,0,1;", "100,0,0,1000;", "0,100;",
                                             "0,0,-1;", "-200,0,0,1500;", "0,0,1;", "100,0,0,1000;",
                                             "0,0,-1;", "100;", ""}));
  EXPECT_EQ(milling.text(t.commands[3]), "0,100,0,1000;");
}

TEST(GcodeTranslation, FeedsBecomeStepDelays) {
  const struct {
    const char* text;
    std::int64_t micros;  // the move's firmware time: N x D summed
    std::int32_t firstDelay;
  } feeds[]{
      {"G1 X1 F600", 100'000, 1000},    // 100 steps of 0.01 mm
      {"G1 Z-1 F60", 1'000'000, 5000},  // 200 steps of 0.005 mm
      {"G1 X1 Y0.5 F600", 111'803, 0},  // 1.118 mm at 10 mm/s
      {"G0 X1", 100 * 1500, 1500},      // travel: SM_delay
      {"G1 X1 F999999999", 100, 1},     // at least 1 us
      {"G1 X1 F0.0001", 100 * 2147483647LL, 2147483647},
  };
  for (const auto& feed : feeds) {
    SCOPED_TRACE(feed.text);
    TranslateSettings settings = Settings(Firmware::Milling);
    settings.mm = {0.01, 0.01, 0.005};
    const Translation t = TranslateProgram(ReadGcodeProgram(feed.text).program, settings);
    ASSERT_FALSE(t.error);
    std::int64_t micros = 0;
    for (const StepCommand& c : t.commands) {
      micros += (std::abs(c.x) + std::abs(c.y) + std::abs(c.z)) * std::int64_t{c.delay};
    }
    EXPECT_NEAR(static_cast<double>(micros), static_cast<double>(feed.micros),
                0.002 * static_cast<double>(feed.micros));
    if (feed.firstDelay > 0) {
      EXPECT_EQ(t.commands.front().delay, feed.firstDelay);
    }
  }
}

TEST(GcodeTranslation, RefusesBeforeSendingAnything) {
  const struct {
    const char* text;
    Firmware firmware;
    double mmPerStepX;
    const char* message;
  } refusals[]{
      {"G0 X1\nG0 Z5", Firmware::Laser, 0.01,
       "Строка 2: перемещение по Z, а лазерная прошивка (OT) двигает только X и Y. Уберите Z из "
       "файла или выполните его на фрезерном станке."},
      {"G0 X1\nG0 X30000", Firmware::Milling, 0.00001,
       "Строка 2: перемещение выходит за допустимый диапазон шагов двигателя. Проверьте размеры "
       "в файле и настройки станка."},
      {"G0 X-20000\nG0 X20000", Firmware::Milling, 0.00001,  // each end in range, the move not
       "Строка 2: перемещение выходит за допустимый диапазон шагов двигателя. Проверьте размеры "
       "в файле и настройки станка."},
      {"G0 X1", Firmware::Milling, 0,
       "Строка 1: перемещение выходит за допустимый диапазон шагов двигателя. Проверьте размеры "
       "в файле и настройки станка."},
      {"G0 X1\nG1 X10", Firmware::Milling, 0.01, "Строка 2: рабочее перемещение без подачи F."},
  };
  for (const auto& refusal : refusals) {
    SCOPED_TRACE(refusal.text);
    TranslateSettings settings = Settings(refusal.firmware);
    settings.mm.x = refusal.mmPerStepX;
    const Translation t = TranslateProgram(ReadGcodeProgram(refusal.text).program, settings);
    ASSERT_TRUE(t.error);
    EXPECT_EQ(t.error->message, refusal.message);
    EXPECT_TRUE(t.commands.empty());
    EXPECT_EQ(t.totals.commands, 0);
  }
}

TEST(GcodeTranslation, EstimatesFromTheListAndFromTheProgramAgree) {
  const GcodeRead read = ReadGcodeProgram(kPocket);
  ASSERT_FALSE(read.error);
  const link::TimeModel model(link::LinkPace{}, 115200, link::InFlight::One);
  for (Firmware firmware : {Firmware::Milling, Firmware::Laser}) {
    GcodeProgram program = read.program;
    if (firmware == Firmware::Laser) {
      for (Segment& s : program.segments) s.z = 0;
    }
    const TranslateSettings settings = Settings(firmware);
    const Translation t = TranslateProgram(program, settings);
    ASSERT_FALSE(t.error);
    link::JobEstimate fromList(model), fromProgram(model);
    FirmwareCommands listCosts(firmware);
    for (const StepCommand& c : t.commands) fromList.add(listCosts.cost(c, program));
    EXPECT_FALSE(FillEstimate(fromProgram, program, settings));
    EXPECT_EQ(fromList.commands(), static_cast<std::int64_t>(t.commands.size()));
    EXPECT_EQ(fromList.commands(), fromProgram.commands());
    EXPECT_EQ(fromList.nanos(), fromProgram.nanos());
    EXPECT_EQ(fromList.stepsX(), t.totals.stepsX);
    EXPECT_EQ(fromList.stepsZ(), t.totals.stepsZ);
    // The bytes each command costs are its text's.
    FirmwareCommands texts(firmware), costs(firmware);
    for (const StepCommand& c : t.commands) {
      ASSERT_EQ(costs.cost(c, program).bytes, static_cast<std::int64_t>(texts.text(c).size()));
    }
  }
}

}  // namespace
}  // namespace vexa::gcode
