#pragma once
// The gray conversion every loaded picture passes through.

#include "picture/pixel_buffer.h"

namespace vexa::picture {

// A new picture whose three bytes per pixel all hold g = nearest(0.3 b0 + 0.6 b1 + 0.11 b2),
// b0 b1 b2 being the pixel's bytes in memory order (blue, green, red), clamped to 255 because
// the weights add up to 1.01. Same size and orientation; the argument is not changed.
PixelBuffer Gray32Picture(const PixelBuffer& picture);
// The same for a picture nobody needs any more: converted in its own bytes, which spares
// allocating (and touching) another 36 MB for a 12-megapixel photograph.
PixelBuffer Gray32Picture(PixelBuffer&& picture);

}  // namespace vexa::picture
