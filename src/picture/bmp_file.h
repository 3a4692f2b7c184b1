#pragma once
// Plain 24-bit BMP files: work.bmp, neuro.bmp, image.bmp, and format 1 of SavePicture.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "picture/pixel_buffer.h"

namespace vexa::picture {

// A BITMAPFILEHEADER and a 40-byte BITMAPINFOHEADER, 24 bits per pixel, no compression, rows
// bottom-up, each padded to a multiple of 4 bytes.
std::vector<std::uint8_t> EncodeBmp(const PixelBuffer& picture);

// Writes EncodeBmp(picture) in place of `path` (never half written). Raises StreamNotOpened when
// the file cannot be written and error 5 for an empty picture.
void WriteBmpFile(const PixelBuffer& picture, const std::filesystem::path& path);

struct BmpPicture {
  int bitsPerPixel = 0;
  // Filled for uncompressed 24- and 32-bit files; empty for other depths, whose pixels the
  // windows refuse anyway.
  PixelBuffer pixels;
};

// Reads a BMP; a missing, truncated or inconsistent file raises CannotLoadFile.
BmpPicture DecodeBmp(std::span<const std::uint8_t> bytes);
BmpPicture ReadBmpFile(const std::filesystem::path& path);

}  // namespace vexa::picture
