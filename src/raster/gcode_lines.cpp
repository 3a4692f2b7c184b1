#include "raster/gcode_lines.h"

#include "settings/settings.h"

namespace vexa::raster {

GcodeLines::GcodeLines(double targetWidth, int width, double targetHeight, int height)
    : targetWidth_(targetWidth), width_(width), targetHeight_(targetHeight), height_(height) {}

void GcodeLines::add(const std::string& line) {
  if (!text_.empty()) text_ += "\r\n";
  text_ += line;
  ++lineCount_;
}

// Products first, then the division, as the coordinates were always computed: the other order
// can round a half hundredth the other way.
void GcodeLines::travel(std::int32_t edge) {
  add("G0 X" + settings::FormatDot(edge * targetWidth_ / width_));
}

void GcodeLines::burn(std::int32_t dwell, std::int32_t edge) {
  add("S" + std::to_string(dwell) + " M3");
  travel(edge);
  add("M5");
}

void GcodeLines::row(int row) {
  add("G0 Y" + settings::FormatDot((row - 1) * targetHeight_ / height_));
}

void GcodeLines::returnHome() {
  add("G0 X0 Y0");
}

std::string GcodeLines::take() {
  std::string text;
  text.swap(text_);
  return text;
}

}  // namespace vexa::raster
