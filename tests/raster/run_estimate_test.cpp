// The estimate before the run against the commands the run really sends: equal to the time
// model summed over them, in every mode, and cheap enough for a large picture.

#include "raster/run_estimate.h"

#include <gtest/gtest.h>

#include "command_model.h"
#include "emulator/move_pace.h"
#include "picture/picture_samples.h"
#include "raster_run_fixture.h"

namespace vexa::raster {
namespace {

using picture::PixelBuffer;
using picture::test::GrayPicture;
using test::Mode;
using test::RunBench;

struct Case {
  const char* name;
  PixelBuffer picture;
  Mode mode;
  bool twice = false, back = false;
  double xRatio = 0.005;
  int speed = 9600;
};

std::vector<Case> cases() {
  const PixelBuffer gray = GrayPicture(
      {{0, 128, 255, 254, 3}, {255, 255, 255, 255, 255}, {17, 255, 0, 0, 200}, {255, 90, 255, 255, 1}});
  return {
      {"laser", gray, Mode::Laser},
      {"laser double pass", gray, Mode::Laser, true},
      {"laser with return", gray, Mode::Laser, false, true},
      {"laser double pass and return", gray, Mode::Laser, true, true},
      {"laser all white", PixelBuffer(4, 3), Mode::Laser, false, true},
      {"laser reversed X", gray, Mode::Laser, false, true, -0.005},
      {"laser at 115200 baud", gray, Mode::Laser, false, false, 0.005, 115200},
      {"wood", gray, Mode::Wood},
      {"wood with return", gray, Mode::Wood, false, true},
      {"wood all white", PixelBuffer(3, 5), Mode::Wood, false, true},
  };
}

TEST(RunEstimate, EqualsTheModelOverTheCommandsTheRunSends) {
  link::LinkPace pace;
  pace.latencyMicros = 700;
  for (const Case& c : cases()) {
    RunBench bench;
    bench.settings.SM_X_ratio = c.xRatio;
    bench.settings.SM_delay = 1800;
    bench.back = c.back;
    bench.twice = [twice = c.twice] { return twice; };
    const link::TimeModel model = RasterTimeModel(pace, c.speed);
    RunParts parts = bench.parts(c.picture, c.mode);
    const auto estimate = EstimateRun(parts.bitmap, parts.numbers, parts.rules, bench.settings,
                                      {c.twice && c.mode == Mode::Laser, c.back}, model);
    ASSERT_TRUE(bench.run(std::move(parts))) << c.name;
    ASSERT_TRUE(estimate) << c.name;
    const test::ModelSum sum = test::SumOfModel(bench.last, model, bench.settings.SM_delay);
    EXPECT_EQ(estimate->commands(), sum.commands) << c.name;
    EXPECT_EQ(estimate->stepsX(), sum.stepsX) << c.name;
    EXPECT_EQ(estimate->stepsY(), sum.stepsY) << c.name;
    EXPECT_EQ(estimate->firmwareMicros(), sum.firmwareMicros) << c.name;
    EXPECT_EQ(estimate->nanos(), sum.nanos) << c.name;
    // The emulated controller (vexa-sim --pace, demo mode) takes the same time over them.
    emulator::MovePace emulator(c.mode == Mode::Laser ? "PT" : "BT");
    std::int64_t emulated = 0;
    for (std::string command : bench.last) {
      if (command.ends_with(';')) command.pop_back();
      emulated += emulator.durationOf(command).count();
    }
    EXPECT_EQ(estimate->firmwareMicros(), emulated) << c.name;
  }
}

TEST(RunEstimate, NoEstimateWhereTheRunWouldRefuse) {
  RunBench bench;
  const link::TimeModel model = RasterTimeModel({}, 9600);
  RunParts parts = bench.parts(GrayPicture({{0, 0}}), Mode::Laser);
  parts.numbers.targetWidth = 0.004;  // 0.4 steps per pixel
  EXPECT_FALSE(EstimateRun(parts.bitmap, parts.numbers, parts.rules, bench.settings, {}, model));
  parts.numbers.targetWidth = 1e9;  // beyond 32-bit steps
  EXPECT_FALSE(EstimateRun(parts.bitmap, parts.numbers, parts.rules, bench.settings, {}, model));
  EXPECT_FALSE(EstimateRun(PixelBuffer(), parts.numbers, parts.rules, bench.settings, {}, model));
}

// The picture of the raster benchmark: 1000 x 750, a photograph-like spread of levels.
PixelBuffer largePicture() {
  return picture::test::NoisePicture(1000, 750, 12345);
}

TEST(RunEstimate, ALargePictureIsEstimatedInCoreAsTheRunWouldSendIt) {
  RunBench bench;
  bench.back = true;
  const link::TimeModel model = RasterTimeModel({}, 115200);
  RunParts parts = bench.parts(largePicture(), Mode::Laser);
  const auto estimate =
      EstimateRun(parts.bitmap, parts.numbers, parts.rules, bench.settings, {false, true}, model);
  ASSERT_TRUE(estimate);
  ASSERT_TRUE(bench.run(std::move(parts)));
  EXPECT_GT(estimate->commands(), 500'000);
  const test::ModelSum sum = test::SumOfModel(bench.last, model, bench.settings.SM_delay);
  EXPECT_EQ(estimate->commands(), sum.commands);
  EXPECT_EQ(estimate->firmwareMicros(), sum.firmwareMicros);
  EXPECT_EQ(estimate->nanos(), sum.nanos);
}

}  // namespace
}  // namespace vexa::raster
