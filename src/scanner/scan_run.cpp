#include "scanner/scan_run.h"

#include <chrono>
#include <cstdlib>
#include <memory>
#include <random>
#include <thread>

#include "link/commands.h"
#include "link/firmware_time.h"
#include "link/nearest.h"
#include "link/step_count.h"
#include "scanner/probe_reply.h"

namespace vexa::scanner {

namespace {

// Lets a dry run be watched point by point.
constexpr std::chrono::milliseconds kDryRunPause(10);

std::function<float()> ClockSeededRandom() {
  auto generator = std::make_shared<std::minstd_rand>(static_cast<std::minstd_rand::result_type>(
      std::chrono::system_clock::now().time_since_epoch().count()));
  // 24 random bits: a single-precision number in [0, 1), never 1 itself.
  return [generator] {
    return static_cast<float>(std::uniform_int_distribution<int>(0, (1 << 24) - 1)(*generator)) /
           16777216.0f;
  };
}

}  // namespace

std::string ReadingText(std::int32_t reading) {
  return "Данные: " + std::to_string(reading);
}

ScanRun::ScanRun(ScanParts parts, HeightMesh& mesh) : parts_(std::move(parts)), mesh_(mesh) {}

void ScanRun::run() {
  link::MachineLink& link = parts_.link;
  link.StopRequested = false;
  const ScanNumbers& n = parts_.numbers;
  stepX_ = link::ToStepCount(n.areaWidth / (n.nx - 1) / parts_.settings.SM_X_ratio, link);
  // A single row has no step to make along Y.
  stepY_ = n.ny > 1
               ? link::ToStepCount(n.areaHeight / (n.ny - 1) / parts_.settings.SM_Y_ratio, link)
               : 0;
  if (ticked()) {
    // A scan stopped during a wait leaves the controller's late answer on the line; taken as the
    // first probe's reply it would shift every reading of this scan by one point. It is waited
    // out first, for a while.
    link.AbandonOwed(parts_.moves.replyBuffer);
    if (!link.SettleStale()) {
      link.prompts().message(link::kLinkCaption, kLateAnswerText);
      return;
    }
    // Whatever else waits answers nothing this scan sends.
    std::string unasked;
    link.ReadAvailable(unasked, "");
  }
  // A scan that goes on keeps the readings of the points measured before the cut.
  if (parts_.firstSent == 0 || mesh_.nx() != n.nx || mesh_.ny() != n.ny) {
    mesh_ = HeightMesh(n.nx, n.ny);
  }
  if (!parts_.random) parts_.random = ClockSeededRandom();
  // The points measured before the cut count as done at once.
  stream_ = link::JobStream::Running(parts_.firstSent, parts_.progress, nullptr);

  WalkScanGrid(n.nx, n.ny, *this);

  if (ticked()) ScaleMesh(mesh_);
  if (parts_.progress) parts_.progress->finish();
  link.prompts().message(link::kLinkCaption, kScanFinishedText);
}

bool ScanRun::passingOver() {
  // Only a plan asks for a command's cost.
  return stream_->take(ticked(), [] { return link::CommandCost{}; }) ==
         link::JobStream::Fate::PassOver;
}

void ScanRun::measure(int column, int row) {
  if (passingOver()) {
    lastReading_ = mesh_.at(column, row);  // measured before the cut
  } else {
    parts_.moves.StepMove(0, 0, kProbeValue, false);
    lastReading_ = ReadProbeReply();
    mesh_.at(column, row) = lastReading_;
    if (parts_.showReading) parts_.showReading(ReadingText(lastReading_));
  }
  confirmed_ = stream_->taken();
  if (parts_.showPoints) parts_.showPoints(++measured_);
  DrawScanPoint(column, row);
}

std::int32_t ScanRun::ReadProbeReply() {
  if (parts_.link.StopRequested) StopWaitingForReading(parts_.link, parts_.moves.replyBuffer);
  if (!ticked()) return static_cast<std::int32_t>(link::Nearest(parts_.random() * 255.0f));
  return WaitProbeReading(parts_.link, parts_.moves.replyBuffer);
}

void ScanRun::DrawScanPoint(int column, int row) {
  parts_.preview.DrawScanPoint(column, row, lastReading_, parts_.numbers.nx, parts_.numbers.ny);
  if (parts_.redraw) parts_.redraw();
  if (!ticked()) {
    std::this_thread::sleep_for(kDryRunPause);
    // Nothing else waits in a dry run: let the box repaint and "Стоп" be pressed.
    parts_.link.pump().processPendingEvents();
  }
}

void ScanRun::move(int dx, int dy) {
  link::MachineLink& link = parts_.link;
  const std::int32_t x = link::ToStepCount(std::int64_t{dx} * stepX_, link);
  const std::int32_t y = link::ToStepCount(std::int64_t{dy} * stepY_, link);
  if (!passingOver()) parts_.moves.StepMove(x, y, 0, true);
  confirmed_ = stream_->taken();
}

namespace {

class CountingWalk final : public ScanWalkSteps {
 public:
  CountingWalk(link::JobEstimate& estimate, std::int64_t stepX, std::int64_t stepY)
      : estimate_(estimate), stepX_(stepX), stepY_(stepY) {}
  void measure(int, int) override { add(0, 0, -2 * std::int64_t{kProbeValue}); }
  void move(int dx, int dy) override { add(dx * stepX_, dy * stepY_, 0); }

 private:
  void add(std::int64_t x, std::int64_t y, std::int64_t s) {
    link::CommandCost cost;
    cost.bytes = link::CommandLength({x, y, s});
    cost.stepsX = std::llabs(x);
    cost.stepsY = std::llabs(y);
    cost.firmwareMicros = link::ScannerMoveMicros(x, y, s);
    estimate_.add(cost);
  }
  link::JobEstimate& estimate_;
  std::int64_t stepX_, stepY_;
};

}  // namespace

std::optional<link::JobEstimate> EstimateScan(const ScanNumbers& n,
                                              const link::MachineSettings& settings,
                                              const link::TimeModel& model) {
  const double x = n.areaWidth / (n.nx - 1) / settings.SM_X_ratio;
  const double y = n.ny > 1 ? n.areaHeight / (n.ny - 1) / settings.SM_Y_ratio : 0;
  if (!link::FitsStepRange(x) || !link::FitsStepRange(y)) return std::nullopt;
  link::JobEstimate estimate(model);
  CountingWalk walk(estimate, static_cast<std::int64_t>(link::Nearest(x)),
                    static_cast<std::int64_t>(link::Nearest(y)));
  WalkScanGrid(n.nx, n.ny, walk);
  return estimate;
}

}  // namespace vexa::scanner
