#include "link/milling_moves.h"

#include <chrono>
#include <thread>

#include "link/commands.h"
#include "link/step_count.h"

namespace vexa::link {

void MillingMoves::ArduinoMoveMM(double dx, double dy, double dz) {
  MachineLink& link = context_.link();
  if (!link.isOpen()) return;
  const AxisSteps steps = context_.toSteps(dx, dy, dz);
  link.WritePortOverlapped(MillingMove(steps.x, steps.y, steps.z, context_.settings().SM_delay));
  link.WaitReply(record.replyBuffer, context_.jobWait());
}

void MillingMoves::SetPendingOffsets(double dxMm, double dyMm, double dzMm) {
  pending_ = context_.toSteps(dxMm, dyMm, dzMm);
}

std::int32_t MillingMoves::advance(double& exact, std::int32_t sent, double delta,
                                   std::int32_t pending) {
  exact += delta + pending;
  return ToStepCount(exact - sent, context_.link());
}

void MillingMoves::StepMove(std::int32_t px, std::int32_t py, std::int32_t pz,
                            std::int32_t delay, bool wait) {
  MachineLink& link = context_.link();
  if (link.StopRequested) {
    if (link.prompts().PauseDialog() == 0) throw LinkAbort();
    link.StopRequested = false;
  }
  const MachineSettings& s = context_.settings();
  const MillingScale scale = scale_();
  const double xFactor = scale.widthMm / s.SM_X_ratio / scale.pictureWidth;
  const double yFactor = scale.widthMm / s.SM_Y_ratio / scale.pictureWidth;
  const double zFactor = scale.depthMm / s.SM_Z_ratio / 255;

  const std::int32_t x = advance(record.exactX, record.sentX, px * xFactor, pending_.x);
  const std::int32_t y = advance(record.exactY, record.sentY, py * yFactor, pending_.y);
  const std::int32_t z = advance(record.exactZ, record.sentZ, pz * zFactor, pending_.z);
  pending_ = {};
  // Checked before anything is sent, so a refused move leaves no trace on the machine.
  const std::int32_t sentX = ToStepCount(std::int64_t{record.sentX} + x, link);
  const std::int32_t sentY = ToStepCount(std::int64_t{record.sentY} + y, link);
  const std::int32_t sentZ = ToStepCount(std::int64_t{record.sentZ} + z, link);

  if (context_.runTicked() && (delay > 0 || x != 0 || y != 0 || z != 0)) {
    link.WritePort(MillingMove(x, y, z, delay));
    if (wait) link.WaitReply(record.replyBuffer, context_.jobWait());
  } else {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  // Kept in a dry run too, so both runs account for the same position.
  record.sentX = sentX;
  record.sentY = sentY;
  record.sentZ = sentZ;
  if (listener) listener({x, y, z, 0, delay});
}

}  // namespace vexa::link
