#include "link/scanner_moves.h"

#include "link/commands.h"
#include "link/step_count.h"

namespace vexa::link {

ReplyWait ScannerMoves::replyWait() const {
  return ReplyWait::Scanner([this] { return context_.runTicked(); });
}

void ScannerMoves::ArduinoMoveMM(double dx, double dy, double dz) {
  MachineLink& link = context_.link();
  if (!link.isOpen()) return;
  const AxisSteps steps = context_.toSteps(dx, dy, dz);
  link.Send(replyBuffer, ThreeFieldMove(steps.x, steps.y, steps.z));
  link.WaitReply(replyBuffer, replyWait());
}

void ScannerMoves::StepMove(std::int32_t x, std::int32_t y, std::int32_t value, bool wait) {
  MachineLink& link = context_.link();
  if (link.StopRequested) throw LinkAbort();
  if (!context_.runTicked()) return;
  ToStepCount(std::int64_t{-2} * value, link);  // refuses an S beyond 32 bits
  link.Send(replyBuffer, ScannerMove(x, y, value));
  if (wait) link.WaitReply(replyBuffer, replyWait());
}

}  // namespace vexa::link
