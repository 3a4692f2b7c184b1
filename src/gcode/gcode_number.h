#pragma once
// Numbers in G-code words: a decimal point whatever the user's locale, never a comma.

#include <cmath>
#include <cstdint>
#include <string>

namespace vexa::gcode {

// `value` rounded to the nearest whole number, halves away from zero, as std::llround does, for
// |value| < 9e15. Written out because the library call costs more than the rest of a raster
// job's line.
inline std::int64_t Rounded(double value) {
  const auto whole = static_cast<std::int64_t>(value);  // towards zero
  const double rest = value - static_cast<double>(whole);  // exact
  return whole + (rest >= 0.5) - (rest <= -0.5);
}

// At most three decimals, rounded, no trailing zeros, no "-0": 2 -> "2", -0.0004 -> "0",
// 1.23456 -> "1.235".
std::string FormatMm(double value);

// What a coordinate is in a file: whole thousandths of a millimetre, rounded; 0 for a value
// that is no finite number.
inline std::int64_t Thousandths(double value) {
  const double scaled = value * 1000;
  // Far beyond any machine; keeps the conversion defined.
  if (!(std::abs(scaled) < 9e15)) return 0;
  return Rounded(scaled);
}

// The most WriteThousandths writes.
inline constexpr std::size_t kThousandthsChars = 24;
// Writes `thousandths` as FormatMm does at `out`; returns the end.
char* WriteThousandths(char* out, std::int64_t thousandths);
// Appends `thousandths` as FormatMm writes it.
void AppendThousandths(std::string& out, std::int64_t thousandths);

// A coordinate as a file writes it, made once for a place a job keeps coming back to.
struct WrittenMm {
  static WrittenMm Of(double mm);
  std::int64_t thousandths = 0;
  std::uint8_t length = 0;
  char text[23] = {};  // enough for any value Thousandths gives
};

// mm/min of a move whose steps of `mmPerStep` each take `delayMicros`; 0 when the delay is not
// positive.
double FeedMmPerMinute(double mmPerStep, double delayMicros);

}  // namespace vexa::gcode
