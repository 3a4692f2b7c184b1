#include "gcode/gcode_number.h"

#include <charconv>
#include <cmath>

namespace vexa::gcode {

std::string FormatMm(double value) {
  if (!std::isfinite(value)) return "0";
  char text[64];
  // to_chars ignores the locale: Qt sets the user's one, which may write a decimal comma.
  const auto [end, error] = std::to_chars(text, text + sizeof text, value,
                                          std::chars_format::fixed, 3);
  if (error != std::errc()) return "0";
  std::string out(text, end);
  if (out.find('.') != std::string::npos) {
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
  }
  if (out == "-0") return "0";
  return out;
}

double FeedMmPerMinute(double mmPerStep, double delayMicros) {
  if (!(delayMicros > 0)) return 0;
  return 60'000'000.0 * std::abs(mmPerStep) / delayMicros;
}

}  // namespace vexa::gcode
