#include "link/outline_moves.h"

#include <chrono>
#include <thread>

#include "link/commands.h"
#include "link/step_count.h"

namespace vexa::link {

void OutlineMoves::ArduinoMoveMM(double dx, double dy, double dz) {
  MachineLink& link = context_.link();
  if (!link.isOpen()) return;
  const AxisSteps steps = context_.toSteps(dx, dy, dz);
  link.WritePort(ThreeFieldMove(steps.x, steps.y, steps.z));
  link.WaitReply(record.replyBuffer, context_.jobWait());
}

void OutlineMoves::handleStop(bool wait) {
  MachineLink& link = context_.link();
  const bool laserOn = context_.runTicked() && record.lastLaser > 0;
  if (laserOn) {
    link.WritePort(LaserOff());
    // The stop is being handled here, so this wait must not abort on it.
    ReplyWait noStopTest = context_.jobWait();
    noStopTest.stopTest = false;
    if (wait) link.WaitReply(record.replyBuffer, noStopTest);
  }
  if (context_.askToStop()) throw LinkAbort();
  link.StopRequested = false;
  if (laserOn) {
    link.WritePort(LaserOn());
    if (wait) link.WaitReply(record.replyBuffer, context_.jobWait());
  }
}

void OutlineMoves::StepMove(std::int32_t px, std::int32_t py, std::int32_t laser,
                            std::int32_t delay, bool wait) {
  MachineLink& link = context_.link();
  if (laser != 0) record.lastLaser = laser;
  if (link.StopRequested) handleStop(wait);

  const MachineSettings& s = context_.settings();
  const PlaneScale scale = scale_();
  record.exactX += px * (scale.widthMm / s.SM_X_ratio / scale.pictureWidth);
  record.exactY += py * (scale.widthMm / s.SM_Y_ratio / scale.pictureWidth);
  const std::int32_t x = ToStepCount(record.exactX - record.sentX, link);
  const std::int32_t y = ToStepCount(record.exactY - record.sentY, link);
  const std::int32_t sentX = ToStepCount(std::int64_t{record.sentX} + x, link);
  const std::int32_t sentY = ToStepCount(std::int64_t{record.sentY} + y, link);

  if (context_.runTicked() && (laser != 0 || x != 0 || y != 0 || delay > 0)) {
    link.WritePort(OutlineMove(x, y, laser, delay));
    if (wait) link.WaitReply(record.replyBuffer, context_.jobWait());
  } else if (whenIdle_ == WhenIdle::Sleep) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  record.sentX = sentX;
  record.sentY = sentY;
  if (listener) listener({x, y, 0, laser, delay});
}

}  // namespace vexa::link
