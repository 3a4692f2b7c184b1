#pragma once
// GIF through giflib. Qt's reader turns a defective LZW stream, or one that gives fewer pixels
// than its frame declares, into black pixels and reports success; giflib says so.

#include <cstdint>
#include <span>

#include "picture/pixel_buffer.h"

namespace vexa::picture {

// The first picture of a GIF in colour, at the size of the logical screen: the screen outside
// the first frame and the frame's transparent pixels are white. A screen or frame with a zero
// side, no colour table, a pixel outside its colour table or any defect giflib finds raises
// CannotLoadFile; a screen or frame beyond the limits raises PictureTooLarge before decoding.
PixelBuffer DecodeGif(std::span<const std::uint8_t> bytes);

}  // namespace vexa::picture
