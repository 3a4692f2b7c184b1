#include "picture/invert_picture.h"

#include <cstdint>
#include <cstring>

namespace vexa::picture {

void InvertPicture(PixelBuffer& picture) {
  for (int y = 1; y <= picture.height(); ++y) {
    std::uint8_t* pixel = picture.row(y);
    for (int x = 1; x <= picture.width(); ++x, pixel += PixelBuffer::kBytesPerPixel) {
      std::memset(pixel, 255 - pixel[0], PixelBuffer::kBytesPerPixel);
    }
  }
}

}  // namespace vexa::picture
