#pragma once
// The decoders fill a truncated JPEG, BMP or GIF with gray and report success; engraving such a
// picture would burn the made-up part. These checks walk the file's structure instead.

#include <cstdint>
#include <span>

namespace vexa::picture {

// False when a JPEG, BMP or GIF file ends before its picture data does. Other contents give true
// (PNG decoders check their own chunks; random bytes are refused by the decoder).
bool LooksComplete(std::span<const std::uint8_t> bytes);

bool IsCompleteJpeg(std::span<const std::uint8_t> bytes);
bool IsCompleteBmp(std::span<const std::uint8_t> bytes);
bool IsCompleteGif(std::span<const std::uint8_t> bytes);

}  // namespace vexa::picture
