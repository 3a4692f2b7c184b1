#pragma once
// The first picture of a GIF file, found by walking the file's blocks, and a walk of its LZW
// codes. A decoder turns codes that its table does not hold, or a stream that stops short, into
// made-up pixels without a word; the walk tells such a stream from a sound one.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace vexa::picture {

struct GifFrame {
  int screenWidth = 0;  // the logical screen: the picture's size
  int screenHeight = 0;
  int left = 0;  // the first image within the screen
  int top = 0;
  int width = 0;
  int height = 0;
  bool interlaced = false;
  std::size_t dataStart = 0;  // offset of the image's LZW minimum code size byte
};

// The first image descriptor after the header, the screen's colour table and any extensions;
// nullopt when the file is not a GIF or ends (or holds something else) before one.
std::optional<GifFrame> FindFirstGifFrame(std::span<const std::uint8_t> bytes);

// The offset just after the data sub-blocks that start at `pos` (length byte, data, ..., zero
// length), or nullopt when the file ends first.
std::optional<std::size_t> SkipGifSubBlocks(std::span<const std::uint8_t> bytes, std::size_t pos);

// True when the frame's LZW data uses only codes its table holds at that point and gives exactly
// width x height pixels, followed by the end code or by the end of the data.
bool GifFrameDataIsSound(std::span<const std::uint8_t> bytes, const GifFrame& frame);

}  // namespace vexa::picture
