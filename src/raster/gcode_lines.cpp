#include "raster/gcode_lines.h"

#include "settings/settings.h"

namespace vexa::raster {

GcodeLines::GcodeLines(double targetWidth, int width, double targetHeight, int height)
    : targetWidth_(targetWidth),
      width_(width),
      targetHeight_(targetHeight),
      height_(height),
      travelLines_(width >= 0 ? static_cast<std::size_t>(width) + 1 : 0) {}

// Products first, then the division, as the coordinates were always computed: the other order
// can round a half hundredth the other way.
std::string_view GcodeLines::travelLine(std::int32_t edge) {
  const auto line = [&] {
    return "G0 X" + settings::FormatDot(edge * targetWidth_ / width_) + "\r\n";
  };
  if (edge < 0 || static_cast<std::size_t>(edge) >= travelLines_.size()) {
    otherLine_ = line();
    return otherLine_;
  }
  std::string& kept = travelLines_[static_cast<std::size_t>(edge)];
  if (kept.empty()) kept = line();
  return kept;
}

void GcodeLines::travel(std::int32_t edge) {
  text_.append(travelLine(edge));
  ++lineCount_;
}

void GcodeLines::burn(std::int32_t dwell, std::int32_t edge) {
  text_.append(burnLines_.get(
      dwell, [](std::int32_t kept) { return "S" + std::to_string(kept) + " M3\r\n"; }));
  text_.append(travelLine(edge));
  text_.append("M5\r\n");
  lineCount_ += 3;
}

void GcodeLines::row(int row) {
  text_.append("G0 Y" + settings::FormatDot((row - 1) * targetHeight_ / height_) + "\r\n");
  ++lineCount_;
}

void GcodeLines::returnHome() {
  text_.append("G0 X0 Y0\r\n");
  ++lineCount_;
}

}  // namespace vexa::raster
