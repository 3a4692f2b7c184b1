#pragma once
// "Градиент" of the outline window: a one-pixel white rim along every edge between areas of
// different gray, whatever the laser spot's size.

#include "picture/pixel_buffer.h"

namespace vexa::outline {

// A copy of `source` in which every pixel of rows and columns 2 to H - 1 and W - 1 whose 3 x 3
// block holds a pixel more than 10 gray levels from its own is white; the outermost rows and
// columns keep the source's pixels.
picture::PixelBuffer EdgeLines(const picture::PixelBuffer& source);

}  // namespace vexa::outline
