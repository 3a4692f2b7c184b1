#include "link/outline_moves.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "link/commands.h"
#include "link/firmware_time.h"
#include "link/step_count.h"

namespace vexa::link {

namespace {

constexpr std::int32_t kLaserOffValue = -1;
constexpr std::int32_t kLaserOnValue = 1;

}  // namespace

void OutlineMoves::ArduinoMoveMM(double dx, double dy, double dz) {
  MachineLink& link = context_.link();
  if (!link.isOpen()) return;
  const AxisSteps steps = context_.toSteps(dx, dy, dz);
  link.Send(record.replyBuffer, ThreeFieldMove(steps.x, steps.y, steps.z));
  link.WaitReply(record.replyBuffer, context_.jobWait());
}

void OutlineMoves::send(const std::string& command, std::int32_t laser) {
  if (context_.link().Send(record.replyBuffer, command) && laser != 0) record.laserTold = laser;
}

void OutlineMoves::handleStop(bool wait) {
  MachineLink& link = context_.link();
  // Off when the job has asked for the laser, and whatever the run box says now when the board
  // was told on: a contour's last step may already have asked for it off, unsent.
  const bool laserOn = (context_.runTicked() && record.lastLaser > 0) || record.laserTold > 0;
  if (laserOn) send(LaserOff(), kLaserOffValue);
  // The question shows once the machine has done every command sent: the laser is off for
  // certain, and the firmware has ended the laser-off command before anything follows it.
  link.CollectOwed(record.replyBuffer, context_.heldWait());
  if (context_.askToStop()) throw LinkAbort();
  link.StopRequested = false;
  if (laserOn && context_.runTicked()) {
    send(LaserOn(), kLaserOnValue);
    if (wait) link.WaitReply(record.replyBuffer, context_.jobWait());
  }
}

void OutlineMoves::StepMove(std::int32_t px, std::int32_t py, std::int32_t laser,
                            std::int32_t delay, bool wait) {
  MachineLink& link = context_.link();
  const bool planning = stream && stream->planning();
  if (laser != 0) record.lastLaser = laser;
  if (!planning && link.StopRequested) handleStop(wait);

  const MachineSettings& s = context_.settings();
  const PlaneScale scale = scale_();
  // Checked before anything is kept or sent (see MillingMoves::StepMove).
  const AxisTarget tx = AdvanceOrRefuse(
      record.exactX, record.sentX, px * (scale.widthMm / s.SM_X_ratio / scale.pictureWidth), link,
      planning);
  const AxisTarget ty = AdvanceOrRefuse(
      record.exactY, record.sentY, py * (scale.widthMm / s.SM_Y_ratio / scale.pictureWidth), link,
      planning);
  tx.keep(record.exactX, record.sentX);
  ty.keep(record.exactY, record.sentY);
  if (listener) listener({tx.steps, ty.steps, 0, laser, delay});

  const bool command = laser != 0 || tx.steps != 0 || ty.steps != 0 || delay > 0;
  const bool runTicked = context_.runTicked();  // once per command: it asks the window
  JobStream::Fate fate = UnfollowedFate(runTicked);
  if (command && stream) {
    fate = stream->take(runTicked, [&] {
      CommandCost cost;
      cost.bytes = OutlineMoveLength(tx.steps, ty.steps, laser, delay);
      cost.stepsX = std::abs(tx.steps);
      cost.stepsY = std::abs(ty.steps);
      cost.firmwareMicros = OutlineMoveMicros(tx.steps, ty.steps, delay, plannedDelay_);
      return cost;
    });
  }
  if (command && fate == JobStream::Fate::Send) {
    // Going on in the middle of a contour after a cut link: the board was not told on (a new
    // board, or the laser switched off when the job went on), and the job means it on.
    if (laser == 0 && record.lastLaser > 0 && record.laserTold <= 0) {
      send(OutlineMove(0, 0, kLaserOnValue, 0), kLaserOnValue);
      link.WaitReply(record.replyBuffer, context_.jobWait());
    }
    send(OutlineMove(tx.steps, ty.steps, laser, delay), laser);
    if (wait) link.WaitReply(record.replyBuffer, context_.jobWait());
  } else if (whenIdle_ == WhenIdle::Sleep && !PassingOver(fate, command, stream)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

void OutlineMoves::SwitchLaserOff() {
  if (planning()) return;
  MachineLink& link = context_.link();
  if (record.laserTold <= 0 || !link.isOpen()) return;
  // Not awaited: the job may have ended because the board stopped answering. Its reply, when
  // it comes, is swallowed.
  send(OutlineMove(0, 0, kLaserOffValue, 0), kLaserOffValue);
  link.AbandonOwed(record.replyBuffer);
}

void OutlineMoves::BeginJob() {
  if (planning()) return;
  SwitchLaserOff();
  context_.link().AbandonOwed(record.replyBuffer);
}

}  // namespace vexa::link
