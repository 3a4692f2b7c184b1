#include "gcode/gcode_number.h"

#include <charconv>
#include <cmath>

namespace vexa::gcode {

std::int64_t Thousandths(double value) {
  const double scaled = value * 1000;
  // Far beyond any machine; keeps the conversion defined.
  if (!(std::abs(scaled) < 9e15)) return 0;
  return std::llround(scaled);
}

void AppendThousandths(std::string& out, std::int64_t thousandths) {
  // Written by hand: formatting doubles through the library costs more than the rest of a
  // raster job's line, and the user's locale must not turn the point into a comma.
  if (thousandths < 0) {
    out += '-';
    thousandths = -thousandths;
  }
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, thousandths / 1000).ptr;
  out.append(digits, end);
  int fraction = static_cast<int>(thousandths % 1000);
  if (fraction == 0) return;
  out += '.';
  char three[3] = {static_cast<char>('0' + fraction / 100), static_cast<char>('0' + fraction / 10 % 10),
                   static_cast<char>('0' + fraction % 10)};
  int length = 3;
  while (three[length - 1] == '0') --length;
  out.append(three, static_cast<std::size_t>(length));
}

std::string FormatMm(double value) {
  std::string out;
  AppendThousandths(out, Thousandths(value));
  return out;
}

double FeedMmPerMinute(double mmPerStep, double delayMicros) {
  if (!(delayMicros > 0)) return 0;
  return 60'000'000.0 * std::abs(mmPerStep) / delayMicros;
}

}  // namespace vexa::gcode
