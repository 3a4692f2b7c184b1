#include "picture/stretch_copy.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vexa::picture {

SourceSpan SpanOf(int i, int sourceLength, int targetLength) {
  const auto start = [&](int k) {
    return static_cast<int>(static_cast<std::int64_t>(k) * sourceLength / targetLength);
  };
  const int first = start(i);
  return {first, std::max(first + 1, start(i + 1))};
}

PixelBuffer StretchCopy(const PixelBuffer& source, int width, int height) {
  PixelBuffer target(width, height);
  if (source.empty() || target.empty()) return target;
  const int sourceWidth = source.width();
  const std::size_t rowBytes = static_cast<std::size_t>(sourceWidth) * 3;

  std::vector<SourceSpan> columns(width);
  for (int i = 0; i < width; ++i) columns[i] = SpanOf(i, sourceWidth, width);

  // Rows first: AND the span's source rows into one line, then the columns of that line.
  std::vector<std::uint8_t> line(rowBytes);
  for (int j = 0; j < height; ++j) {
    const SourceSpan rows = SpanOf(j, source.height(), height);
    const std::uint8_t* first = source.row(rows.first + 1);
    std::copy(first, first + rowBytes, line.begin());
    for (int y = rows.first + 1; y < rows.last; ++y) {
      const std::uint8_t* next = source.row(y + 1);
      for (std::size_t k = 0; k < rowBytes; ++k) line[k] &= next[k];
    }
    std::uint8_t* out = target.row(j + 1);
    for (int i = 0; i < width; ++i, out += 3) {
      const std::uint8_t* in = line.data() + static_cast<std::size_t>(columns[i].first) * 3;
      std::uint8_t b = in[0], g = in[1], r = in[2];
      for (int x = columns[i].first + 1; x < columns[i].last; ++x) {
        in += 3;
        b &= in[0];
        g &= in[1];
        r &= in[2];
      }
      out[0] = b;
      out[1] = g;
      out[2] = r;
    }
  }
  return target;
}

}  // namespace vexa::picture
