#pragma once
// GIF through giflib: one picture, a palette of the 256 gray levels. It lives in the UI library
// with the other encoders because giflib is linked there; the core links nothing.

#include <cstdint>
#include <vector>

#include "picture/pixel_buffer.h"

namespace vexa::picture {

// The GIF file's bytes. Each pixel's index is its gray level: the blue byte of a gray picture,
// the Gray32Picture level of a coloured one. An encoder failure raises SaveFailed with giflib's
// error code.
std::vector<std::uint8_t> EncodeGrayGif(const PixelBuffer& picture);

}  // namespace vexa::picture
