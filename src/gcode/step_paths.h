#pragma once
// The jobs' step moves as standard G-code. Each job family keeps the sum of the steps it has
// moved and writes absolute millimetres through the calibration, so the file's path is the
// machine's path, step for step, and no rounding adds up over a long job.
//
// Feeds: a step that takes D microseconds moves |mm per step| in D, so F = 60 000 000 x
// |mm per step| / D mm/min (the X ratio for moves in the plane, the Z ratio for plunges). The
// delay in force is the last non-zero one a command carried: the firmware keeps it for the
// contour steps that carry 0.

#include <cstdint>
#include <vector>

#include "gcode/gcode_options.h"
#include "gcode/kept_per_dwell.h"
#include "gcode/standard_lines.h"
#include "link/move_listener.h"

namespace vexa::gcode {

// Sums of steps moved along each axis, and the delay in force.
class StepTotals {
 public:
  void add(const link::StepsMoved& move);
  std::int64_t x() const { return x_; }
  double xMm(const Calibration& mm) const { return static_cast<double>(x_) * mm.x; }
  double yMm(const Calibration& mm) const { return static_cast<double>(y_) * mm.y; }
  double zMm(const Calibration& mm) const { return static_cast<double>(z_) * mm.z; }
  std::int32_t delay() const { return delay_; }

 private:
  std::int64_t x_ = 0, y_ = 0, z_ = 0;
  std::int32_t delay_ = 0;
};

// Milling: the cutter travels at the safe height (G0), plunges and mills with G1, and a move
// that brings it back up to the surface is a retract to the safe height. Below the surface
// (Z < 0) the cutter is in the work.
class MillingPath {
 public:
  MillingPath(StandardLines& lines, Calibration mm, double safeZ);
  void moved(const link::StepsMoved& move);

 private:
  StandardLines& lines_;
  Calibration mm_;
  double safeZ_;
  StepTotals at_;
  bool raised_ = true;  // at the safe height since the last retract
};

// The outline and cutting lasers: a positive laser value switches the beam on at full power
// (S = gcode_s_max), a negative one off; moves with the beam on are G1, the others G0.
class LaserPath {
 public:
  LaserPath(StandardLines& lines, Calibration mm, std::int64_t sMax);
  void moved(const link::StepsMoved& move);

 private:
  StandardLines& lines_;
  Calibration mm_;
  std::int64_t sMax_;
  StepTotals at_;
};

// The raster run: travel and row moves are G0 with the laser off; a burn is G1 at the feed of
// the longest dwell (the larger of the black and the white dwell) with the power of its own,
// S = dwell x gcode_s_max / the longest dwell: "M4 S" at the first burn of a run, then S words
// on the G1 lines where the power changes.
//
// Every row comes back to the same pixel edges, so with the steps of one pixel given, the X of
// each edge is made once and kept.
class RasterPath {
 public:
  RasterPath(StandardLines& lines, Calibration mm, std::int64_t sMax, double fullDwell,
             std::int32_t stepsPerPixelX = 0);
  void travel(std::int32_t stepsX, std::int32_t stepsY);
  void burn(std::int32_t stepsX, std::int32_t dwell);

 private:
  void moveX(std::int32_t stepsX);
  const WrittenMm& x();

  StandardLines& lines_;
  Calibration mm_;
  std::int64_t sMax_;
  double fullDwell_;
  double feed_;
  StepTotals at_;
  KeptPerDwell<std::int64_t> powers_;
  // The pixel edge the path is at (X steps / stepsPerPixelX_), when it is at one, and the X
  // of the edges met so far (length 0 until made).
  std::int32_t stepsPerPixelX_;
  std::int64_t edge_ = 0;
  bool atEdge_;
  std::vector<WrittenMm> edgeX_;
  WrittenMm otherX_;
};

}  // namespace vexa::gcode
