#pragma once
// The firmware's time for a move, so that a run against the emulated controller (vexa-sim
// --pace, demo mode) takes as long as on the machine.
//   PT, BT (raster): a move X,Y,R drives one axis after the other, (|X| + |Y|) steps, each
//     taking R microseconds; a third field of 0 (the laser off) takes the idle delay the setup
//     command gave (",,,K,D" of the laser, ",,D" of the hot wire; 2000 before any).
//   MT (milling): a move X,Y,Z,W takes (|X| + |Y| + |Z|) steps of W microseconds, one axis
//     after the other as the raster firmware does (the milling firmware's own interleaving is
//     not known here; the sum is the slower reading of it).
// Setup commands, "V", every other firmware and everything else take no time.

#include <chrono>
#include <cstdint>
#include <string_view>

namespace vexa::emulator {

class MovePace {
 public:
  static constexpr std::int64_t kDefaultTravelDelay = 2000;

  explicit MovePace(std::string_view tag = "PT") { setTag(tag); }
  // The firmware whose pace is played; a setup command given before is kept.
  void setTag(std::string_view tag);

  // How long the firmware works on `command` (as the log writes it: no ";") before answering.
  // A setup command is remembered for the moves after it.
  std::chrono::microseconds durationOf(std::string_view command);

 private:
  enum class Firmware { Raster, Milling, Other };

  Firmware firmware_ = Firmware::Other;
  std::int64_t travelDelay_ = kDefaultTravelDelay;
};

}  // namespace vexa::emulator
