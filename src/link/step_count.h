#pragma once
// Conversions of millimetres and scaled pixels to motor steps. Steps travel as signed 32-bit
// numbers; a move beyond that range is refused rather than sent wrapped.

#include <cstdint>

#include "link/nearest.h"

namespace vexa::link {

class MachineLink;

// Nearest(value) as a step count. A value outside signed 32-bit (or not a number, as after a
// division by a zero ratio) shows a message and raises the link abort.
std::int32_t ToStepCount(double value, MachineLink& link);
std::int32_t ToStepCount(std::int64_t value, MachineLink& link);

// The text of that message.
const char* StepRangeText();

// One axis of an accumulating step move: the exact position asked for and the steps sent so
// far once the move is made, and the steps to send for it.
struct AxisTarget {
  double exact = 0;
  std::int32_t sent = 0;
  std::int32_t steps = 0;
  void keep(double& exactKept, std::int32_t& sentKept) const {
    exactKept = exact;
    sentKept = sent;
  }
};

// Moves the exact position by `delta` steps and sends the rounded difference to what was sent.
// Refused as ToStepCount refuses, before anything is kept.
AxisTarget Advance(double exact, std::int32_t sent, double delta, MachineLink& link);

}  // namespace vexa::link
