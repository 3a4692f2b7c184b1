// "С возвратом в исх." of a G-code run: back one axis at a time, the cutter up before it moves
// in the plane and down only after, whichever way the machine's Z steps count; and the estimate
// counts those moves.

#include <gtest/gtest.h>

#include "gcode_run/gcode_sender.h"

namespace vexa::gcode_run {
namespace {

gcode::TranslateSettings Settings(double zMmPerStep) {
  return {{0.005, 0.005, zMmPerStep}, 2000, gcode::Firmware::Milling};
}

struct Step {
  std::int32_t x, y, z;
  bool operator==(const Step&) const = default;
};

std::vector<Step> Steps(const std::vector<gcode::StepCommand>& commands) {
  std::vector<Step> steps;
  for (const auto& c : commands) {
    EXPECT_EQ(c.delay, 2000);
    EXPECT_EQ(c.kind, gcode::CommandKind::Move);
    steps.push_back({c.x, c.y, c.z});
  }
  return steps;
}

TEST(ReturnCommands, TheCutterComesUpFirstAndGoesDownLast) {
  const struct {
    StepPlace end;
    double zRatio;
    std::vector<Step> expected;
  } cases[] = {
      // Below the start with Z counting up: up first.
      {{100, -40, -200}, 0.005, {{0, 0, 200}, {-100, 0, 0}, {0, 40, 0}}},
      // Above the start: the plane first, down last.
      {{100, -40, 400}, 0.005, {{-100, 0, 0}, {0, 40, 0}, {0, 0, -400}}},
      // Z counting down (a negative ratio): positive steps are below the start.
      {{0, 7, 50}, -0.005, {{0, 0, -50}, {0, -7, 0}}},
      {{0, 0, 0}, 0.005, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Steps(ReturnCommands(c.end, Settings(c.zRatio))), c.expected) << c.end.z;
  }
}

TEST(ReturnCommands, TheEstimateCountsTheWayBack) {
  const gcode::GcodeRead read = gcode::ReadGcodeProgram("G21 G90\nG1 X1 Z-1 F100\n");
  ASSERT_FALSE(read.error);
  const link::TimeModel model(link::LinkPace{}, 9600, link::InFlight::One);
  const auto there = EstimateRun(read.program, Settings(0.005), false, model);
  const auto back = EstimateRun(read.program, Settings(0.005), true, model);
  ASSERT_TRUE(there && back);
  EXPECT_EQ(back->commands(), there->commands() + 2);  // up 200 steps, then back 200 in X
  EXPECT_EQ(back->stepsZ(), there->stepsZ() + 200);
  EXPECT_EQ(back->stepsX(), there->stepsX() + 200);
}

}  // namespace
}  // namespace vexa::gcode_run
