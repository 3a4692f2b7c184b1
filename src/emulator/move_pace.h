#pragma once
// The firmware's time for a move, so that a run against the emulated controller (vexa-sim
// --pace, demo mode) takes as long as on the machine. D below is kDefaultTravelDelay, 2000 µs
// (the travel delay's default), where a firmware gets no delay with a move.
//   PT, BT (raster): a move X,Y,R drives one axis after the other, (|X| + |Y|) steps, each
//     taking R microseconds; a third field of 0 (the laser off) takes the idle delay the setup
//     command gave (",,,K,D" of the laser, ",,D" of the hot wire; D before any).
//   MT (milling): a move X,Y,Z,W takes (|X| + |Y| + |Z|) steps of W microseconds, one axis
//     after the other as the raster firmware does (the milling firmware's own interleaving is
//     not known here; the sum is the slower reading of it).
//   OT (outline, cutting): a step move X,Y,L,W comes with its trailing zero fields dropped
//     ("5" is X = 5, "0,3" is Y = 3; a missing field is 0) and takes (|X| + |Y|) steps of W
//     microseconds. A W of 0 (dropped) means the delay the firmware was last given: the
//     windows send the step delay with the laser-on move and 0 with the contour's steps, so a
//     contour runs at the window's step delay; D before any delay. The laser switch ("0,0,-1",
//     "0,0,1") and a move of L alone take no time. Any other command of three fields is a
//     millimetre move X,Y,Z of the window: (|X| + |Y| + |Z|) steps of D.
//   ST (scanner): the probe "0,0,S" with S > 0 (the walk sends 0,0,200) lowers the probe and
//     raises it again, 2 × S steps of D. Every other X,Y,S (the walk's steps, S = 0) and X,Y,Z
//     (millimetre moves) takes (|X| + |Y| + |Z|) steps of D.
//   OT, ST: the manual window's X,Y,,W takes (|X| + |Y|) steps of W.
// Setup commands, "V", every other firmware and everything else take no time.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace vexa::emulator {

class MovePace {
 public:
  static constexpr std::int64_t kDefaultTravelDelay = 2000;

  explicit MovePace(std::string_view tag = "PT") { setTag(tag); }
  // The firmware whose pace is played; a delay given before is kept.
  void setTag(std::string_view tag);

  // How long the firmware works on `command` (as the log writes it: no ";") before answering.
  // A delay a command leaves with the firmware is remembered for the moves after it.
  std::chrono::microseconds durationOf(std::string_view command);

 private:
  enum class Firmware { Raster, Milling, Outline, Scanner, Other };
  using Fields = std::vector<std::optional<std::int64_t>>;
  // Steps and the microseconds each of them takes.
  struct Work {
    std::int64_t steps = 0;
    std::int64_t perStep = 0;
  };

  Work rasterWork(const Fields& f);
  Work outlineWork(const Fields& f);

  Firmware firmware_ = Firmware::Other;
  // The delay of a move that carries none: the raster setup's idle delay, the outline
  // firmware's last delay.
  std::int64_t keptDelay_ = kDefaultTravelDelay;
};

}  // namespace vexa::emulator
