#include "picture/bmp_rle_check.h"

namespace vexa::picture {

namespace {

constexpr std::uint8_t kEscape = 0;
constexpr std::uint8_t kEndOfLine = 0;
constexpr std::uint8_t kEndOfBitmap = 1;
constexpr std::uint8_t kDelta = 2;

}  // namespace

bool RleStreamCoversPicture(std::span<const std::uint8_t> stream, std::int64_t width,
                            std::int64_t height, int bitsPerPixel) {
  if (width < 1 || height < 1 || (bitsPerPixel != 8 && bitsPerPixel != 4)) return false;
  std::int64_t x = 0;
  std::int64_t y = 0;  // rows counted in file order, from the bottom of the picture
  std::size_t pos = 0;
  while (pos + 1 < stream.size()) {
    const std::uint8_t count = stream[pos];
    const std::uint8_t code = stream[pos + 1];
    pos += 2;
    if (count != kEscape) {  // a run of `count` pixels of one value (or value pair)
      if (y >= height || x + count > width) return false;
      x += count;
      continue;
    }
    switch (code) {
      case kEndOfLine:
        if (y >= height) return false;
        ++y;
        x = 0;
        break;
      case kEndOfBitmap:
        // Within the last row, once it has begun, or after its end-of-line.
        return (y == height - 1 && x > 0) || (y == height && x == 0);
      case kDelta:
        if (pos + 1 >= stream.size()) return false;
        x += stream[pos];
        y += stream[pos + 1];
        pos += 2;
        if (x > width || y >= height) return false;
        break;
      default: {  // `code` pixels written out, padded to a 16-bit boundary
        const std::size_t bytes = bitsPerPixel == 8 ? code : (code + 1u) / 2;
        pos += bytes + (bytes & 1);
        if (pos > stream.size() || y >= height || x + code > width) return false;
        x += code;
        break;
      }
    }
  }
  return false;  // no end-of-bitmap code
}

}  // namespace vexa::picture
