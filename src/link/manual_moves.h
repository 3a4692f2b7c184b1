#pragma once
// The manual positioning window's millimetre move: the command layout follows the first letter
// of the firmware tag, and a guard turns away moves while one is waiting for its reply.

#include <string>

#include "link/motion_context.h"

namespace vexa::link {

class ManualMoves {
 public:
  explicit ManualMoves(MotionContext context) : context_(std::move(context)) {}

  ReplyBuffer replyBuffer;

  // After a successful firmware check: remembers the tag letter and lets moves start.
  void arm(char tagLetter) {
    tagLetter_ = tagLetter;
    guard_ = true;
  }
  bool armed() const { return guard_; }
  // A move is waiting for its reply.
  bool moving() const { return moving_; }
  char tagLetter() const { return tagLetter_; }

  // Does nothing while the guard is down (before the firmware check, during a move, and after
  // a move that ended with the link abort, which propagates to the caller). A move whose reply
  // the user gave up waiting for leaves the guard up: the line is still open.
  void ArduinoMoveMM(double dx, double dy, double dz);

 private:
  MotionContext context_;
  char tagLetter_ = 0;
  bool guard_ = false;
  bool moving_ = false;
};

// Whether the manual window knows a move layout for this firmware letter.
bool KnownManualLetter(char tagLetter);

}  // namespace vexa::link
