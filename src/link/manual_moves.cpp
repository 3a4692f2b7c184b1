#include "link/manual_moves.h"

#include <string_view>

#include "link/commands.h"

namespace vexa::link {

bool KnownManualLetter(char tagLetter) {
  return tagLetter != 0 && std::string_view("MPSOB").find(tagLetter) != std::string_view::npos;
}

void ManualMoves::ArduinoMoveMM(double dx, double dy, double dz) {
  if (!guard_) return;
  // A refused distance leaves the guard up: nothing was sent.
  const AxisSteps steps = context_.toSteps(dx, dy, dz);
  guard_ = false;
  MachineLink& link = context_.link();
  if (KnownManualLetter(tagLetter_) && link.isOpen()) {
    link.SendConfirmed(
        replyBuffer, ManualMove(tagLetter_, steps.x, steps.y, steps.z, context_.settings().SM_delay));
    moving_ = true;
    try {
      link.WaitReply(replyBuffer, ReplyWait::ManualWindow());
    } catch (const LinkAbort& abort) {
      moving_ = false;
      if (abort.cause() == LinkAbort::Cause::Unanswered) guard_ = true;
      throw;
    }
    moving_ = false;
  }
  guard_ = true;
}

}  // namespace vexa::link
