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

}  // namespace vexa::link
