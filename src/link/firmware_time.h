#pragma once
// The firmware's time for one move, as the estimates count it and the emulated controller
// plays it (emulator/move_pace.h says which firmware moves how).

#include <cstdint>
#include <cstdlib>

namespace vexa::link {

// The step delay the firmwares fall back on where a command gives none (a delay field of 0).
inline constexpr std::int64_t kFirmwareTravelDelay = 2000;

// X,Y,Z,W; of the milling firmware: one axis after the other, W microseconds a step.
inline std::int64_t MillingMoveMicros(std::int64_t x, std::int64_t y, std::int64_t z,
                                      std::int64_t delay) {
  return delay > 0 ? (std::llabs(x) + std::llabs(y) + std::llabs(z)) * delay : 0;
}

// X,Y,L,W; of the outline and cutting firmware: W microseconds a step; a W of 0 means the
// delay the firmware was last given (`lastDelay`, which the move then leaves as it is): the
// laser-on command carries the contour's step delay and the contour's steps carry 0.
inline std::int64_t OutlineMoveMicros(std::int64_t x, std::int64_t y, std::int64_t delay,
                                      std::int64_t& lastDelay) {
  if (delay > 0) lastDelay = delay;
  return (std::llabs(x) + std::llabs(y)) * lastDelay;
}

// X,Y,S; of the scanner firmware: a move (S of 0) takes its steps at the travel delay; a probe
// (S above 0) goes down S steps and back up at the travel delay.
inline std::int64_t ScannerMoveMicros(std::int64_t x, std::int64_t y, std::int64_t s) {
  return (std::llabs(x) + std::llabs(y) + (s > 0 ? 2 * s : 0)) * kFirmwareTravelDelay;
}

}  // namespace vexa::link
