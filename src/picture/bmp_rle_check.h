#pragma once
// A run-length BMP (RLE8 or RLE4) has no length known in advance: a decoder follows its stream
// and fills whatever the stream does not reach with made-up pixels. This walk tells a stream
// that covers the picture from one that ends early or points outside it.

#include <cstdint>
#include <span>

namespace vexa::picture {

// True when `stream` (the pixel data of a BMP of `width` x `height`, `bitsPerPixel` 8 for RLE8
// or 4 for RLE4) reaches the last row and then ends with its end-of-bitmap code, without a run
// or a skip past the edge of the picture. A row may end early (end-of-line) and skips (delta)
// are allowed: both are written in the file on purpose.
bool RleStreamCoversPicture(std::span<const std::uint8_t> stream, std::int64_t width,
                            std::int64_t height, int bitsPerPixel);

}  // namespace vexa::picture
