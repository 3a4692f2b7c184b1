#include "gcode/gcode_number.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace vexa::gcode {

char* WriteThousandths(char* out, std::int64_t thousandths) {
  // Written by hand: formatting doubles through the library costs more than the rest of a
  // raster job's line, and the user's locale must not turn the point into a comma.
  std::uint64_t magnitude = static_cast<std::uint64_t>(thousandths);
  if (thousandths < 0) {
    *out++ = '-';
    magnitude = 0 - magnitude;
  }
  out = std::to_chars(out, out + 20, magnitude / 1000).ptr;
  const auto fraction = static_cast<unsigned>(magnitude % 1000);
  if (fraction == 0) return out;
  out[0] = '.';
  out[1] = static_cast<char>('0' + fraction / 100);
  out[2] = static_cast<char>('0' + fraction / 10 % 10);
  out[3] = static_cast<char>('0' + fraction % 10);
  return out + (fraction % 10 != 0 ? 4 : fraction % 100 != 0 ? 3 : 2);
}

void AppendThousandths(std::string& out, std::int64_t thousandths) {
  char text[kThousandthsChars];
  out.append(text, WriteThousandths(text, thousandths));
}

WrittenMm WrittenMm::Of(double mm) {
  WrittenMm written;
  written.thousandths = Thousandths(mm);
  char text[kThousandthsChars];
  const auto length = static_cast<std::size_t>(WriteThousandths(text, written.thousandths) - text);
  written.length = static_cast<std::uint8_t>(std::min(length, sizeof written.text));
  std::memcpy(written.text, text, written.length);
  return written;
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
