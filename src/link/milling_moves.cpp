#include "link/milling_moves.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "link/commands.h"
#include "link/firmware_time.h"
#include "link/step_count.h"

namespace vexa::link {

void MillingMoves::ArduinoMoveMM(double dx, double dy, double dz) {
  MachineLink& link = context_.link();
  if (!link.isOpen()) return;
  const AxisSteps steps = context_.toSteps(dx, dy, dz);
  link.SendConfirmed(record.replyBuffer,
                     MillingMove(steps.x, steps.y, steps.z, context_.settings().SM_delay));
  link.WaitReply(record.replyBuffer, context_.jobWait());
}

void MillingMoves::SetPendingOffsets(double dxMm, double dyMm, double dzMm) {
  pending_ = context_.toSteps(dxMm, dyMm, dzMm);
}

void MillingMoves::StepMove(std::int32_t px, std::int32_t py, std::int32_t pz,
                            std::int32_t delay, bool wait) {
  MachineLink& link = context_.link();
  const bool planning = stream && stream->planning();
  if (!planning && link.StopRequested) {
    // The dialog opens once the machine has done every command sent.
    link.CollectOwed(record.replyBuffer, context_.heldWait());
    if (link.prompts().PauseDialog() == 0) throw LinkAbort();
    link.StopRequested = false;
  }
  const MachineSettings& s = context_.settings();
  const MillingScale scale = scale_();
  const double xFactor = scale.widthMm / s.SM_X_ratio / scale.pictureWidth;
  const double yFactor = scale.widthMm / s.SM_Y_ratio / scale.pictureWidth;
  const double zFactor = scale.depthMm / s.SM_Z_ratio / 255;

  // Worked out and checked before anything is kept or sent: a refused move leaves no trace on
  // the machine and none in the record, so later jobs start from where the machine stands.
  const AxisTarget tx = AdvanceOrRefuse(record.exactX, record.sentX, px * xFactor + pending_.x,
                                        link, planning);
  const AxisTarget ty = AdvanceOrRefuse(record.exactY, record.sentY, py * yFactor + pending_.y,
                                        link, planning);
  const AxisTarget tz = AdvanceOrRefuse(record.exactZ, record.sentZ, pz * zFactor + pending_.z,
                                        link, planning);
  pending_ = {};
  // Kept in a dry run too, so both runs account for the same position.
  tx.keep(record.exactX, record.sentX);
  ty.keep(record.exactY, record.sentY);
  tz.keep(record.exactZ, record.sentZ);
  if (listener) listener({tx.steps, ty.steps, tz.steps, 0, delay});

  const bool command = delay > 0 || tx.steps != 0 || ty.steps != 0 || tz.steps != 0;
  const bool runTicked = context_.runTicked();  // once per command: it asks the window
  JobStream::Fate fate = UnfollowedFate(runTicked);
  if (command && stream) {
    fate = stream->take(runTicked, [&] {
      CommandCost cost;
      cost.bytes = CommandLength({tx.steps, ty.steps, tz.steps, delay});
      cost.stepsX = std::abs(tx.steps);
      cost.stepsY = std::abs(ty.steps);
      cost.stepsZ = std::abs(tz.steps);
      cost.firmwareMicros = MillingMoveMicros(tx.steps, ty.steps, tz.steps, delay);
      return cost;
    });
  }
  if (command && fate == JobStream::Fate::Send) {
    link.Send(record.replyBuffer, MillingMove(tx.steps, ty.steps, tz.steps, delay));
    if (wait) link.WaitReply(record.replyBuffer, context_.jobWait());
  } else if (!PassingOver(fate, command, stream)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

}  // namespace vexa::link
