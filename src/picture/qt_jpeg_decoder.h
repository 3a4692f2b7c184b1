#pragma once
// JPEG through libjpeg-turbo itself. Qt's reader hides the library's warnings, and a JPEG whose
// scan data is cut short (end marker kept) or whose header claims more than its data holds then
// decodes as a picture with a gray part that nobody drew. Here every warning about the picture
// data ends the decoding.

#include <cstdint>
#include <span>

#include "picture/pixel_buffer.h"

namespace vexa::picture {

// Decodes a JPEG (gray, YCbCr, RGB or CMYK) in colour. A picture beyond the limits raises
// PictureTooLarge once the header is read, before any pixel is decoded; anything the library
// reports about the data (premature end, corrupt data, an unfinished progression) raises
// CannotLoadFile.
PixelBuffer DecodeJpeg(std::span<const std::uint8_t> bytes);

}  // namespace vexa::picture
