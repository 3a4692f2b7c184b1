#pragma once
// Resampling of a picture to a new size the way the system's stretch copy did it in its default
// mode: a reduction keeps dark pixels, an enlargement repeats pixels.

#include "picture/pixel_buffer.h"

namespace vexa::picture {

// The source range that target column (or row) i of `targetLength` takes from `sourceLength`,
// counted from 0: [first, last). With a(i) = floor(i x source / target), it is
// [a(i), max(a(i) + 1, a(i + 1))). In a reduction the ranges tile the source, so every source
// pixel lands in exactly one target pixel; in an enlargement each range holds one source pixel,
// repeated over the target pixels that share it.
struct SourceSpan {
  int first;
  int last;
};
SourceSpan SpanOf(int i, int sourceLength, int targetLength);

// A `width` x `height` picture whose pixel is the bitwise AND, byte by byte, of the source pixels
// in its column span x row span. AND never lightens (a & b <= min(a, b)), so a one-pixel black
// line survives any reduction. Same size gives an identical copy.
PixelBuffer StretchCopy(const PixelBuffer& source, int width, int height);

}  // namespace vexa::picture
