#include "picture/file_completeness.h"

#include <cstddef>

namespace vexa::picture {

namespace {

using Bytes = std::span<const std::uint8_t>;

bool startsWith(Bytes bytes, std::initializer_list<std::uint8_t> prefix) {
  if (bytes.size() < prefix.size()) return false;
  std::size_t i = 0;
  for (std::uint8_t b : prefix) {
    if (bytes[i++] != b) return false;
  }
  return true;
}

std::uint32_t littleEndian(Bytes b, std::size_t at, int length) {
  std::uint32_t v = 0;
  for (int i = length - 1; i >= 0; --i) v = v << 8 | b[at + i];
  return v;
}

// After a start-of-scan header: skips the entropy-coded data (where 0xFF is followed by 0x00 or
// a restart marker) and returns the offset of the next marker, or the size when there is none.
std::size_t skipScanData(Bytes bytes, std::size_t pos) {
  while (pos + 1 < bytes.size()) {
    if (bytes[pos] == 0xFF) {
      const std::uint8_t next = bytes[pos + 1];
      if (next != 0x00 && next != 0xFF && (next < 0xD0 || next > 0xD7)) return pos;
      pos += next == 0xFF ? 1 : 2;
    } else {
      ++pos;
    }
  }
  return bytes.size();
}

// Skips GIF data sub-blocks (length byte, data, ..., zero length); the offset after them, or 0.
std::size_t skipSubBlocks(Bytes bytes, std::size_t pos) {
  while (pos < bytes.size()) {
    const std::uint8_t length = bytes[pos];
    if (length == 0) return pos + 1;
    pos += 1 + static_cast<std::size_t>(length);
  }
  return 0;
}

}  // namespace

bool IsCompleteJpeg(Bytes bytes) {
  if (!startsWith(bytes, {0xFF, 0xD8})) return false;
  std::size_t pos = 2;
  while (pos < bytes.size()) {
    while (pos < bytes.size() && bytes[pos] != 0xFF) ++pos;  // stray bytes, as decoders allow
    while (pos < bytes.size() && bytes[pos] == 0xFF) ++pos;  // fill bytes
    if (pos >= bytes.size()) return false;
    const std::uint8_t marker = bytes[pos++];
    if (marker == 0xD9) return true;                                     // end of image
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
    if (pos + 2 > bytes.size()) return false;
    const std::size_t length = bytes[pos] << 8 | bytes[pos + 1];
    if (length < 2 || pos + length > bytes.size()) return false;
    pos += length;
    if (marker == 0xDA) pos = skipScanData(bytes, pos);
  }
  return false;
}

bool IsCompleteBmp(Bytes bytes) {
  if (bytes.size() < 30 || !startsWith(bytes, {'B', 'M'})) return false;
  const std::uint32_t pixelOffset = littleEndian(bytes, 10, 4);
  const std::uint32_t headerSize = littleEndian(bytes, 14, 4);
  if (headerSize == 12) {  // the old core header: 16-bit sizes, never compressed
    const std::uint64_t width = littleEndian(bytes, 18, 2);
    const std::uint64_t height = littleEndian(bytes, 20, 2);
    const std::uint64_t bits = littleEndian(bytes, 24, 2);
    return pixelOffset + (width * bits + 31) / 32 * 4 * height <= bytes.size();
  }
  if (bytes.size() < 34) return false;
  const auto width = static_cast<std::int32_t>(littleEndian(bytes, 18, 4));
  const auto height = static_cast<std::int32_t>(littleEndian(bytes, 22, 4));
  const std::uint64_t bits = littleEndian(bytes, 28, 2);
  const std::uint32_t compression = littleEndian(bytes, 30, 4);
  // Run-length and embedded JPEG/PNG data have no length known in advance.
  if (compression != 0 && compression != 3 && compression != 6) return pixelOffset < bytes.size();
  const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  const std::uint64_t rowLength =
      (static_cast<std::uint64_t>(width < 0 ? 0 : width) * bits + 31) / 32 * 4;
  return static_cast<std::uint64_t>(pixelOffset) + rowLength * rows <= bytes.size();
}

bool IsCompleteGif(Bytes bytes) {
  if (bytes.size() < 13 || !(startsWith(bytes, {'G', 'I', 'F', '8', '7', 'a'}) ||
                             startsWith(bytes, {'G', 'I', 'F', '8', '9', 'a'}))) {
    return false;
  }
  const std::uint8_t screenFlags = bytes[10];
  std::size_t pos = 13;
  if (screenFlags & 0x80) pos += 3u << ((screenFlags & 0x07) + 1);
  // The first picture is what the decoder shows: it must be there in full.
  while (pos < bytes.size()) {
    const std::uint8_t block = bytes[pos];
    if (block == 0x21) {  // extension: label, then sub-blocks
      if (pos + 2 > bytes.size()) return false;
      pos = skipSubBlocks(bytes, pos + 2);
      if (pos == 0) return false;
    } else if (block == 0x2C) {  // image descriptor, optional local colours, LZW data
      if (pos + 10 > bytes.size()) return false;
      const std::uint8_t imageFlags = bytes[pos + 9];
      pos += 10;
      if (imageFlags & 0x80) pos += 3u << ((imageFlags & 0x07) + 1);
      return pos + 1 < bytes.size() && skipSubBlocks(bytes, pos + 1) != 0;
    } else {
      return false;  // the trailer (0x3B) before any picture, or garbage
    }
  }
  return false;
}

bool LooksComplete(Bytes bytes) {
  if (startsWith(bytes, {0xFF, 0xD8})) return IsCompleteJpeg(bytes);
  if (startsWith(bytes, {'B', 'M'})) return IsCompleteBmp(bytes);
  if (startsWith(bytes, {'G', 'I', 'F', '8'})) return IsCompleteGif(bytes);
  return true;
}

}  // namespace vexa::picture
