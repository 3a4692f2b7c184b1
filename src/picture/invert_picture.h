#pragma once
// InvertPicture: the laser window's negative, for materials that darken where they are not burned.

#include "picture/pixel_buffer.h"

namespace vexa::picture {

// Every pixel becomes the gray level 255 minus its blue byte, in all three bytes.
void InvertPicture(PixelBuffer& picture);

}  // namespace vexa::picture
