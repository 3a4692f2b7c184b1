#pragma once
// The 3D scanner window's primitives: X,Y,Z; millimetre moves and X,Y,S; step moves.

#include <cstdint>
#include <string>

#include "link/motion_context.h"

namespace vexa::link {

class ScannerMoves {
 public:
  explicit ScannerMoves(MotionContext context) : context_(std::move(context)) {}

  ReplyBuffer replyBuffer;

  void ArduinoMoveMM(double dx, double dy, double dz);

  // A pending Stop ends the scan at once. Sends X,Y,S; with S = -2 x value.
  void StepMove(std::int32_t x, std::int32_t y, std::int32_t value, bool wait);

  // The scanner's wait empties the buffer first, so old replies never count.
  ReplyWait replyWait() const;

 private:
  MotionContext context_;
};

}  // namespace vexa::link
