#include "raster/run_estimate.h"

#include <array>
#include <cstdlib>
#include <limits>

#include "link/commands.h"
#include "link/nearest.h"
#include "raster/dwell_scale.h"
#include "raster/row_walk.h"

namespace vexa::raster {

namespace {

using link::CommandCost;

// Whole steps per pixel as the raster step move computes them; nullopt beyond 32 bits.
std::optional<std::int64_t> stepsPerPixel(double widthMm, double ratio, int pictureWidth) {
  const double steps = link::Nearest(widthMm / ratio / pictureWidth);
  if (!(steps >= std::numeric_limits<std::int32_t>::min() &&
        steps <= std::numeric_limits<std::int32_t>::max())) {
    return std::nullopt;
  }
  return static_cast<std::int64_t>(steps);
}

bool fits(std::int64_t steps) {
  return steps >= std::numeric_limits<std::int32_t>::min() &&
         steps <= std::numeric_limits<std::int32_t>::max();
}

class CountingSteps final : public WalkSteps {
 public:
  CountingSteps(link::JobEstimate& estimate, std::int64_t kx, std::int64_t ky,
                const DwellScale& dwell, std::int64_t idleDwell, std::int64_t travelDelay)
      : estimate_(estimate), kx_(kx), ky_(ky), idle_(idleDwell), travelDelay_(travelDelay) {
    // A burn moves one pixel forward or back: two commands per gray level, worked out once.
    for (int level = 0; level < 255; ++level) {
      const auto burn = static_cast<std::uint8_t>(level);
      forward_[level] = cost(kx_, 0, dwell(burn));
      backward_[level] = cost(-kx_, 0, dwell(burn));
    }
    rowMove_ = cost(0, ky_, idle_);
  }

  bool overflowed() const { return overflowed_; }

  void travel(std::int32_t dx, std::int32_t) override { add(cost(dx * kx_, 0, idle_)); }
  void burn(std::int32_t dx, std::uint8_t level, std::int32_t, int, int) override {
    estimate_.add(dx > 0 ? forward_[level] : backward_[level]);
  }
  void rowMove(int) override { estimate_.add(rowMove_); }
  void rowDone(bool) override {}
  void returnMove(std::int32_t dx, std::int32_t dy) override {
    add(cost(dx * kx_, dy * ky_, idle_));
  }

 private:
  CommandCost cost(std::int64_t x, std::int64_t y, std::int64_t burn) {
    if (!fits(x) || !fits(y)) overflowed_ = true;  // the run stops there with its message
    CommandCost command;
    command.bytes = link::CommandLength({x, y, burn});
    command.stepsX = std::llabs(x);
    command.stepsY = std::llabs(y);
    command.firmwareMicros = RasterMoveMicros(x, y, burn, travelDelay_);
    return command;
  }
  void add(const CommandCost& command) { estimate_.add(command); }

  link::JobEstimate& estimate_;
  std::int64_t kx_, ky_, idle_, travelDelay_;
  std::array<CommandCost, 256> forward_{}, backward_{};
  CommandCost rowMove_;
  bool overflowed_ = false;
};

}  // namespace

link::TimeModel RasterTimeModel(const link::LinkPace& pace, int speed) {
  return link::TimeModel(pace, speed, link::InFlight::Two);
}

std::int64_t RasterMoveMicros(std::int64_t x, std::int64_t y, std::int64_t burn,
                              std::int64_t travelDelay) {
  const std::int64_t perStep = burn > 0 ? burn : travelDelay;
  return (std::llabs(x) + std::llabs(y)) * (perStep > 0 ? perStep : 0);
}

std::optional<link::JobEstimate> EstimateRun(const picture::PixelBuffer& picture,
                                             const RunNumbers& numbers, const RunRules& rules,
                                             const link::MachineSettings& settings,
                                             const EstimateChoices& choices,
                                             const link::TimeModel& model) {
  if (picture.empty()) return std::nullopt;
  const auto kx = stepsPerPixel(numbers.targetWidth, settings.SM_X_ratio, picture.width());
  const auto ky = stepsPerPixel(numbers.targetWidth, settings.SM_Y_ratio, picture.width());
  if (!kx || !ky || *kx == 0 || *ky == 0) return std::nullopt;

  link::JobEstimate estimate(model);
  const std::int64_t delay = settings.SM_delay;
  CommandCost setup;
  setup.bytes = rules.setup == RunRules::Setup::Laser
                    ? link::CommandLength({{}, {}, {}, std::llabs(*kx), delay})
                    : link::CommandLength({{}, {}, delay});
  estimate.add(setup);

  const DwellScale dwell(numbers.blackDwell, numbers.whiteDwell);
  CountingSteps steps(estimate, *kx, *ky, dwell, rules.idleMovesCarryDelay ? delay : 0, delay);
  WalkRules walk;
  if (choices.doublePass) walk.doublePass = [] { return true; };
  walk.rowMoveAfterLastRow = rules.rowMoveAfterLastRow;
  if (choices.returnToStart) walk.returnToStart = [] { return true; };
  WalkRows(picture, walk, steps);
  if (steps.overflowed()) return std::nullopt;
  return estimate;
}

}  // namespace vexa::raster
