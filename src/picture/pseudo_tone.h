#pragma once
// PseudoTone: the laser window's ordered dither, which reduces a gray picture to black and white
// so the laser burns each spot fully or not at all.

#include "picture/pixel_buffer.h"

namespace vexa::picture {

// Pixel (x, y) becomes black when its gray level is below M[(y - 1) mod 4][(x - 1) mod 4] x 15
// + 15 (M the 4 x 4 Bayer matrix), white otherwise. The thresholds run from 15 to 240: white
// stays white and a level below 15 turns black everywhere.
void PseudoTone(PixelBuffer& picture);

}  // namespace vexa::picture
