#include "raster/gcode_lines.h"

#include "settings/settings.h"

namespace vexa::raster {

GcodeLines::GcodeLines(double targetWidth, int width, double targetHeight, int height)
    : targetWidth_(targetWidth),
      width_(width),
      targetHeight_(targetHeight),
      height_(height),
      edgeX_(width >= 0 ? static_cast<std::size_t>(width) + 1 : 0) {}

// Products first, then the division, as the coordinates were always computed: the other order
// can round a half hundredth the other way.
std::string_view GcodeLines::edgeX(std::int32_t edge) {
  if (edge < 0 || static_cast<std::size_t>(edge) >= edgeX_.size()) {
    otherX_ = settings::FormatDot(edge * targetWidth_ / width_);
    return otherX_;
  }
  std::string& x = edgeX_[static_cast<std::size_t>(edge)];
  if (x.empty()) x = settings::FormatDot(edge * targetWidth_ / width_);
  return x;
}

void GcodeLines::travel(std::int32_t edge) {
  text_.append("G0 X");
  text_.append(edgeX(edge));
  text_.append("\r\n");
  ++lineCount_;
}

void GcodeLines::burn(std::int32_t dwell, std::int32_t edge) {
  if (burnWord_.empty() || dwell != burnDwell_) {
    burnDwell_ = dwell;
    burnWord_ = "S" + std::to_string(dwell) + " M3\r\n";
  }
  text_.append(burnWord_);
  travel(edge);
  text_.append("M5\r\n");
  lineCount_ += 2;
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
