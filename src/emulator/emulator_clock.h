#pragma once
// The clock of the emulated controller (vexa-sim and demo mode).

#include <chrono>

namespace vexa::emulator {

using EmulatorClock = std::chrono::steady_clock;
using EmulatorTime = EmulatorClock::time_point;

}  // namespace vexa::emulator
