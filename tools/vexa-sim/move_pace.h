#pragma once
// --pace: the raster firmwares' time for a move (tags PT and BT), so that a run against the
// emulator takes as long as on the machine. A move X,Y,R drives one axis after the other,
// (|X| + |Y|) steps, each taking R microseconds; a third field of 0 (the laser off) takes the
// idle delay the setup command gave (",,,K,D" of the laser, ",,D" of the hot wire; 2000 before
// any). Setup commands, "V" and everything else take no time.
//
// Kept apart from the emulator's loop so that it can move on its own.

#include <chrono>
#include <cstdint>
#include <string_view>

namespace vexa::sim {

class MovePace {
 public:
  static constexpr std::int64_t kDefaultTravelDelay = 2000;

  // How long the firmware works on `command` (as the log writes it: no ";") before answering.
  // A setup command is remembered for the moves after it.
  std::chrono::microseconds durationOf(std::string_view command);

 private:
  std::int64_t travelDelay_ = kDefaultTravelDelay;
};

// Whether --pace applies to a firmware with this tag.
bool PacedTag(std::string_view tag);

}  // namespace vexa::sim
