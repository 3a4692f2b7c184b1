#include "picture/file_completeness.h"

#include <bitset>
#include <cstddef>

#include "picture/bmp_rle_check.h"
#include "picture/gif_stream_check.h"

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

constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;

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

// Start of a baseline, extended or lossless frame, Huffman or arithmetic coded (not progressive).
bool isSequentialFrame(std::uint8_t marker) {
  return marker == 0xC0 || marker == 0xC1 || marker == 0xC3 || marker == 0xC9 || marker == 0xCB;
}

}  // namespace

bool IsCompleteJpeg(Bytes bytes) {
  if (!startsWith(bytes, {0xFF, 0xD8})) return false;
  // A sequential picture whose colour components are coded in scans of their own must have a
  // scan for each: one left out decodes as flat gray without a word from the decoder.
  std::bitset<256> frameComponents;
  std::bitset<256> scannedComponents;
  bool sequential = false;
  std::size_t pos = 2;
  while (pos < bytes.size()) {
    while (pos < bytes.size() && bytes[pos] != 0xFF) ++pos;  // stray bytes, as decoders allow
    while (pos < bytes.size() && bytes[pos] == 0xFF) ++pos;  // fill bytes
    if (pos >= bytes.size()) return false;
    const std::uint8_t marker = bytes[pos++];
    if (marker == 0xD9) {  // end of image
      return !sequential || (frameComponents & ~scannedComponents).none();
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) continue;  // no length
    if (pos + 2 > bytes.size()) return false;
    const std::size_t length = bytes[pos] << 8 | bytes[pos + 1];
    if (length < 2 || pos + length > bytes.size()) return false;
    const Bytes segment = bytes.subspan(pos + 2, length - 2);
    if (isSequentialFrame(marker) && segment.size() >= 6) {
      sequential = true;
      for (std::size_t i = 6; i + 2 < segment.size() && i < 6 + 3u * segment[5]; i += 3) {
        frameComponents.set(segment[i]);
      }
    }
    if (marker == 0xDA && !segment.empty()) {
      for (std::size_t i = 1; i < segment.size() && i < 1 + 2u * segment[0]; i += 2) {
        scannedComponents.set(segment[i]);
      }
    }
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
  if (compression == kRle8 || compression == kRle4) {
    if (pixelOffset >= bytes.size() || height < 0) return false;  // never stored top-down
    Bytes stream = bytes.subspan(pixelOffset);
    const std::uint32_t declared = bytes.size() >= 38 ? littleEndian(bytes, 34, 4) : 0;
    if (declared > 0 && declared < stream.size()) stream = stream.first(declared);
    return RleStreamCoversPicture(stream, width, height, compression == kRle8 ? 8 : 4) &&
           bits == (compression == kRle8 ? 8u : 4u);
  }
  // Embedded JPEG/PNG data have no length known in advance.
  if (compression != 0 && compression != 3 && compression != 6) return pixelOffset < bytes.size();
  const std::uint64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
  const std::uint64_t rowLength =
      (static_cast<std::uint64_t>(width < 0 ? 0 : width) * bits + 31) / 32 * 4;
  return static_cast<std::uint64_t>(pixelOffset) + rowLength * rows <= bytes.size();
}

bool IsCompleteGif(Bytes bytes) {
  // The first picture is what the decoder shows: it must be there in full.
  const auto frame = FindFirstGifFrame(bytes);
  return frame && frame->dataStart + 1 < bytes.size() &&
         SkipGifSubBlocks(bytes, frame->dataStart + 1).has_value();
}

bool LooksComplete(Bytes bytes) {
  if (startsWith(bytes, {0xFF, 0xD8})) return IsCompleteJpeg(bytes);
  if (startsWith(bytes, {'B', 'M'})) return IsCompleteBmp(bytes);
  if (startsWith(bytes, {'G', 'I', 'F', '8'})) {
    const auto frame = FindFirstGifFrame(bytes);
    return IsCompleteGif(bytes) && GifFrameDataIsSound(bytes, *frame);
  }
  return true;
}

}  // namespace vexa::picture
