#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/emulator_clock.h"
#include "link/firmware_idle_gap.h"

namespace vexa::emulator {

// Cuts the byte stream from the application into commands. A command ends at ";", or, for the
// laser on/off commands that come without ";", when the line has been idle for kIdleGap.
// CR and LF are never part of a command. Commands longer than kMaxLength are cut to it.
class CommandSplitter {
 public:
  static constexpr std::size_t kMaxLength = 1000;
  static constexpr std::chrono::milliseconds kIdleGap = link::kFirmwareIdleGap;

  // Appends every command completed by `bytes` to `completed`.
  void feed(std::string_view bytes, EmulatorTime now, std::vector<std::string>& completed);

  // When the unterminated command now pending counts as complete, if one is pending.
  std::optional<EmulatorTime> idleDeadline() const;

  // The pending command, if its idle deadline has passed.
  std::optional<std::string> takeIdleCommand(EmulatorTime now);

 private:
  std::string pending_;
  bool hasPending_ = false;  // also true for a pending command made of nothing but dropped bytes
  EmulatorTime lastByte_{};
};

}  // namespace vexa::emulator
