#include "picture/pseudo_tone.h"

#include <cstdint>
#include <cstring>

namespace vexa::picture {

namespace {

constexpr int kMatrix[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

}  // namespace

void PseudoTone(PixelBuffer& picture) {
  for (int y = 1; y <= picture.height(); ++y) {
    const int* thresholds = kMatrix[(y - 1) % 4];
    std::uint8_t* pixel = picture.row(y);
    for (int x = 1; x <= picture.width(); ++x, pixel += PixelBuffer::kBytesPerPixel) {
      const int threshold = thresholds[(x - 1) % 4] * 15 + 15;
      std::memset(pixel, pixel[0] < threshold ? 0 : 255, PixelBuffer::kBytesPerPixel);
    }
  }
}

}  // namespace vexa::picture
