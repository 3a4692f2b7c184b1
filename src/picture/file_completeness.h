#pragma once
// The decoders fill a truncated JPEG, BMP or GIF with gray and report success; engraving such a
// picture would burn the made-up part. These checks walk the file's structure instead, and for
// the formats whose data has no length of its own (run-length BMP, GIF's LZW codes) the data too.

#include <cstdint>
#include <span>

namespace vexa::picture {

// False when a JPEG, BMP or GIF file ends before its picture data does, when a run-length BMP's
// stream does not cover its picture (bmp_rle_check.h), when a GIF's codes do not give its first
// picture exactly (gif_stream_check.h), or when a sequential JPEG lacks the scan of one of its
// colour components. Other contents give true (PNG decoders check their own chunks; random bytes
// are refused by the decoder).
bool LooksComplete(std::span<const std::uint8_t> bytes);

bool IsCompleteJpeg(std::span<const std::uint8_t> bytes);
bool IsCompleteBmp(std::span<const std::uint8_t> bytes);
bool IsCompleteGif(std::span<const std::uint8_t> bytes);

}  // namespace vexa::picture
