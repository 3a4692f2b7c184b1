#pragma once
// The G-code of a raster run: the same path as the machine's, in millimetres, gathered in memory
// between writes. Only four line forms, no header, units, feed or end word.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gcode/kept_per_dwell.h"
#include "gcode/text_buffer.h"

namespace vexa::raster {

class GcodeLines : public gcode::GatheredLines {
 public:
  // The fitted picture's width x height pixels stand for targetWidth x targetHeight mm.
  GcodeLines(double targetWidth, int width, double targetHeight, int height);

  // "G0 X" to column edge `edge`.
  void travel(std::int32_t edge);
  // "S<dwell> M3", "G0 X" to column edge `edge`, "M5": the S word carries the number the
  // controller gets as the third field of the burn move.
  void burn(std::int32_t dwell, std::int32_t edge);
  // "G0 Y" to row `row` (row 1 at Y 0, Y growing down the picture).
  void row(int row);
  // "G0 X0 Y0".
  void returnHome();

 private:
  // "G0 X" to column edge `edge` and CR LF; every row comes back to the same edges.
  std::string_view travelLine(std::int32_t edge);

  double targetWidth_;
  int width_;
  double targetHeight_;
  int height_;
  std::vector<std::string> travelLines_;  // by edge, empty until first written
  std::string otherLine_;                 // to an edge beyond the picture's
  gcode::KeptPerDwell<std::string> burnLines_;  // "S<dwell> M3" and CR LF
};

}  // namespace vexa::raster
