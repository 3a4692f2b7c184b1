#pragma once

#include <chrono>
#include <string>

#include "emulator/emulator_clock.h"

namespace vexa::sim {

// A board that keeps talking (another sketch printing readings): lines such as "A0=0042\r\n"
// at a steady number of bytes per second, never a "T". Like a board's serial output they go
// out whether anyone listens or not: what the line cannot take is lost.
class Chatter {
 public:
  // 0 bytes per second: silent.
  explicit Chatter(long long bytesPerSecond, emulator::EmulatorTime start = emulator::EmulatorClock::now());

  bool active() const { return bytesPerSecond_ > 0; }
  // The bytes due by `now` since the last call.
  std::string due(emulator::EmulatorTime now);
  // How often the emulator asks for due bytes while chattering.
  static constexpr std::chrono::milliseconds kTick{10};

 private:
  long long bytesPerSecond_;
  emulator::EmulatorTime start_;
  long long produced_ = 0;
  long long lineNumber_ = 0;
  std::string line_;      // the line being sent
  std::size_t linePos_ = 0;
};

}  // namespace vexa::sim
