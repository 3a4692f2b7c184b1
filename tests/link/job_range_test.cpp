// The ranges every job checks before its first command, one table of field values against the
// jobs that take them: a value whose derived numbers leave their range is refused with the
// message naming its field, and nothing between the ends of a range is refused.

#include <gtest/gtest.h>

#include <limits>

#include "cutting/cutting_numbers.h"
#include "link/step_count.h"
#include "milling/milling_numbers.h"
#include "outline/outline_numbers.h"
#include "raster/run_numbers.h"
#include "scanner/scan_numbers.h"

namespace vexa::link {
namespace {

// A 300 x 200 picture at 0,005 mm per step on every axis.
constexpr int kWide = 300;
constexpr int kHigh = 200;

struct FieldValues {
  const char* name;
  double widthMm, depthMm, diameterMm;
  // The message each job gives; "" where it goes ahead.
  std::string milling, outline, cutting, raster;
};

TEST(JobRange, OneTableOfFieldValuesAgainstTheJobs) {
  const std::string width = kWidthRangeText;
  const std::string cutter = milling::kCutterRangeText;
  const std::string spot = outline::kSpotRangeText;
  const std::string depth = milling::kDepthRangeText;
  const std::vector<FieldValues> cases = {
      {"ordinary fields", 200, 10, 3, "", "", "", ""},
      {"a tool of 2e19 mm", 200, 10, 2e19, cutter, spot, "", ""},
      {"a width of 1e-17 mm makes any tool endless in pixels", 1e-17, 10, 3, cutter, spot, "", ""},
      {"a tool of no width", 1e-17, 10, 0, "", "", "", ""},
      {"a tool as wide as an int holds, in pixels", 300, 10, 2147483647, "", "", "", ""},
      {"one pixel more", 300, 10, 2147483648.0, cutter, spot, "", ""},
      {"a depth of 1e30 mm", 200, 1e30, 3, depth, "", "", ""},
      {"a width of 1e8 mm: 2e10 steps across", 1e8, 10, 3, width, width, width, width},
      {"the widest picture of 2147483647 steps", 10737418.235, 10, 3, "", "", "", width},
      {"one step more", 10737418.24, 10, 3, width, width, width, width},
      {"the deepest cut of 2147483647 steps", 200, 10737418.235, 3, "", "", "", ""},
      {"one step deeper", 200, 10737418.24, 3, depth, "", "", ""},
  };
  const MachineSettings settings;
  auto text = [](const std::optional<std::string>& problem) { return problem.value_or(""); };
  for (const FieldValues& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(text(milling::MillingRangeProblem({c.widthMm, c.depthMm, c.diameterMm, 4000}, kWide,
                                                kHigh, settings)),
              c.milling);
    EXPECT_EQ(text(outline::OutlineRangeProblem({c.widthMm, c.diameterMm, 1000}, kWide, kHigh,
                                                settings)),
              c.outline);
    EXPECT_EQ(text(cutting::CuttingRangeProblem({c.widthMm, 1000}, kWide, kHigh, settings)),
              c.cutting);
    // The raster moves whole steps per pixel: the widest picture rounds up past the range.
    EXPECT_EQ(text(raster::RunRangeProblem({4000, 0, c.widthMm, c.widthMm}, kWide, kHigh,
                                           settings)),
              c.raster);
    // "Градиент" and "Отступить" check the tool alone.
    EXPECT_EQ(text(milling::CutterRangeProblem({c.widthMm, c.diameterMm}, kWide)),
              c.milling == cutter ? cutter : "");
    EXPECT_EQ(text(outline::SpotRangeProblem({c.widthMm, c.diameterMm, 1000}, kWide)),
              c.outline == spot ? spot : "");
  }
}

TEST(JobRange, MachineSettingsThatGiveNoStepsAreRefusedBeforeTheJob) {
  MachineSettings settings;
  settings.SM_Z_ratio = 0;  // every depth is out of range, even 0 (0 / 0)
  EXPECT_EQ(milling::MillingRangeProblem({200, 0, 3, 4000}, kWide, kHigh, settings),
            std::optional<std::string>(milling::kDepthRangeText));
  settings.SM_Y_ratio = 0;
  EXPECT_EQ(cutting::CuttingRangeProblem({200, 1000}, kWide, kHigh, settings),
            std::optional<std::string>(kWidthRangeText));
  settings.SM_X_ratio = -0.005;  // the sign only sets the direction
  settings.SM_Y_ratio = -0.005;
  EXPECT_EQ(outline::OutlineRangeProblem({200, 2, 1000}, kWide, kHigh, settings), std::nullopt);
  EXPECT_EQ(raster::RunRangeProblem({4000, 0, 200, 100}, kWide, kHigh, settings), std::nullopt);
  // No picture spans nothing.
  EXPECT_EQ(cutting::CuttingRangeProblem({1e30, 1000}, 0, 0, settings), std::nullopt);
}

TEST(JobRange, TheScanChecksEachGridStep) {
  const MachineSettings settings;
  struct Case {
    scanner::ScanNumbers numbers;
    const char* problem;  // "" when the scan goes ahead
  };
  for (const Case& c : std::vector<Case>{
           {{6, 5, 100, 100}, ""},
           {{6, 5, 1e30, 100}, scanner::kAreaWidthRangeText},
           {{6, 5, 100, 1e30}, scanner::kAreaHeightRangeText},
           {{6, 1, 100, 1e30}, ""},  // one row makes no step along Y
           {{2, 3, 10737418.235, 21474836.47}, ""},
           {{2, 3, 10737418.24, 100}, scanner::kAreaWidthRangeText},
       }) {
    const auto problem = scanner::ScanRangeProblem(c.numbers, settings);
    EXPECT_EQ(problem ? problem->text : "", c.problem) << c.numbers.areaWidth;
    if (problem) {
      EXPECT_EQ(problem->caption, "Ошибка");
    }
  }
}

TEST(JobRange, FitsStepRangeTakesTheSigned32BitCounts) {
  for (const auto& [value, fits] : std::vector<std::pair<double, bool>>{
           {2147483647.0, true},
           {2147483647.4, true},
           {2147483647.5, false},
           {-2147483648.0, true},
           {-2147483648.6, false},
           {std::numeric_limits<double>::infinity(), false},
           {std::numeric_limits<double>::quiet_NaN(), false}}) {
    EXPECT_EQ(FitsStepRange(value), fits) << value;
  }
}

}  // namespace
}  // namespace vexa::link
