#pragma once
// "Градиент": white bands along the edges between areas of different gray, about one cutter
// radius wide, so each area shrinks by the cutter's radius and touching areas come apart.

#include "picture/pixel_buffer.h"

namespace vexa::milling {

// The gray level is a pixel's blue byte, and two levels differ when they are more than this far
// apart.
inline constexpr int kGrayStep = 10;

// A copy of `source` in which every pixel that has, within `radius` (i² + j² <= radius²), a
// pixel more than 10 gray levels from its own is white: the pixels the plain method turns white
// by testing the whole (2R + 1)² window around each pixel, R the smallest integer not below the
// radius. The frame of width R along the edges keeps the source's pixels.
//
// The test only needs the largest and the smallest gray level in the disc: the disc is a stack
// of row chords, and each chord's extremes come from a per-row table of maxima and minima over
// runs of 1, 2, 4, ... pixels (two overlapping runs cover any chord).
picture::PixelBuffer EdgeBands(const picture::PixelBuffer& source, double radius);

}  // namespace vexa::milling
