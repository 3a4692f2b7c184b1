#include "picture/gif_stream_check.h"

#include <array>

namespace vexa::picture {

namespace {

using Bytes = std::span<const std::uint8_t>;

constexpr std::uint8_t kExtension = 0x21;
constexpr std::uint8_t kImageDescriptor = 0x2C;
constexpr int kLargestCodeBits = 12;
constexpr int kTableSize = 1 << kLargestCodeBits;

int littleEndian16(Bytes b, std::size_t at) {
  return b[at] | b[at + 1] << 8;
}

std::size_t colourTableBytes(std::uint8_t flags) {
  return (flags & 0x80) ? 3u << ((flags & 0x07) + 1) : 0;
}

// The codes of the data sub-blocks, least significant bit first, across block boundaries.
class CodeReader {
 public:
  CodeReader(Bytes bytes, std::size_t firstBlock) : bytes_(bytes), blockStart_(firstBlock) {}

  // The next code of `bits` bits, or -1 when the data ends first.
  int next(int bits) {
    while (held_ < bits) {
      const int byte = nextByte();
      if (byte < 0) return -1;
      buffer_ |= static_cast<std::uint32_t>(byte) << held_;
      held_ += 8;
    }
    const int code = static_cast<int>(buffer_ & ((1u << bits) - 1));
    buffer_ >>= bits;
    held_ -= bits;
    return code;
  }

 private:
  int nextByte() {
    while (left_ == 0) {
      if (blockStart_ >= bytes_.size() || bytes_[blockStart_] == 0) return -1;
      left_ = bytes_[blockStart_];
      pos_ = blockStart_ + 1;
      blockStart_ = pos_ + left_;
      if (blockStart_ > bytes_.size()) return -1;
    }
    --left_;
    return bytes_[pos_++];
  }

  Bytes bytes_;
  std::size_t blockStart_;
  std::size_t pos_ = 0;
  std::size_t left_ = 0;
  std::uint32_t buffer_ = 0;
  int held_ = 0;
};

}  // namespace

std::optional<std::size_t> SkipGifSubBlocks(Bytes bytes, std::size_t pos) {
  while (pos < bytes.size()) {
    const std::uint8_t length = bytes[pos];
    if (length == 0) return pos + 1;
    pos += 1 + static_cast<std::size_t>(length);
  }
  return std::nullopt;
}

std::optional<GifFrame> FindFirstGifFrame(Bytes bytes) {
  constexpr std::size_t kHeaderAndScreen = 13;
  if (bytes.size() < kHeaderAndScreen || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F' ||
      bytes[3] != '8' || (bytes[4] != '7' && bytes[4] != '9') || bytes[5] != 'a') {
    return std::nullopt;
  }
  GifFrame frame;
  frame.screenWidth = littleEndian16(bytes, 6);
  frame.screenHeight = littleEndian16(bytes, 8);
  std::size_t pos = kHeaderAndScreen + colourTableBytes(bytes[10]);
  while (pos < bytes.size()) {
    if (bytes[pos] == kExtension) {  // label, then sub-blocks
      if (pos + 2 > bytes.size()) return std::nullopt;
      const auto after = SkipGifSubBlocks(bytes, pos + 2);
      if (!after) return std::nullopt;
      pos = *after;
    } else if (bytes[pos] == kImageDescriptor) {
      if (pos + 10 > bytes.size()) return std::nullopt;
      frame.left = littleEndian16(bytes, pos + 1);
      frame.top = littleEndian16(bytes, pos + 3);
      frame.width = littleEndian16(bytes, pos + 5);
      frame.height = littleEndian16(bytes, pos + 7);
      const std::uint8_t flags = bytes[pos + 9];
      frame.interlaced = (flags & 0x40) != 0;
      frame.dataStart = pos + 10 + colourTableBytes(flags);
      if (frame.dataStart >= bytes.size()) return std::nullopt;
      return frame;
    } else {
      return std::nullopt;  // the trailer (0x3B) before any picture, or garbage
    }
  }
  return std::nullopt;
}

bool GifFrameDataIsSound(Bytes bytes, const GifFrame& frame) {
  if (frame.dataStart >= bytes.size()) return false;
  const int minimumBits = bytes[frame.dataStart];
  if (minimumBits < 1 || minimumBits > 8) return false;
  const int clearCode = 1 << minimumBits;
  const int endCode = clearCode + 1;
  const std::int64_t expected = std::int64_t{frame.width} * frame.height;

  // Only the length of each code's string matters here, not its pixels.
  std::array<std::int32_t, kTableSize> length{};
  for (int code = 0; code < clearCode; ++code) length[code] = 1;
  CodeReader reader(bytes, frame.dataStart + 1);
  int bits = minimumBits + 1;
  int nextCode = endCode + 1;
  int previous = -1;
  std::int64_t pixels = 0;
  for (;;) {
    const int code = reader.next(bits);
    if (code < 0) return pixels == expected;  // no end code, but nothing missing either
    if (code == clearCode) {
      bits = minimumBits + 1;
      nextCode = endCode + 1;
      previous = -1;
      continue;
    }
    if (code == endCode) return pixels == expected;
    if (previous < 0) {
      if (code >= clearCode) return false;  // a string before the table has any
      pixels += 1;
    } else {
      std::int32_t added = 0;
      if (code < nextCode) {
        added = length[code];
      } else if (code == nextCode && nextCode < kTableSize) {
        added = length[previous] + 1;  // the string being defined by this very code
      } else {
        return false;  // a code the table does not hold yet
      }
      if (nextCode < kTableSize) {
        length[nextCode] = length[previous] + 1;
        ++nextCode;
        if (nextCode == (1 << bits) && bits < kLargestCodeBits) ++bits;
      }
      pixels += added;
    }
    if (pixels > expected) return false;
    previous = code;
  }
}

}  // namespace vexa::picture
