#pragma once
// Picture files the tests build byte by byte: run-length BMPs, GIFs with LZW streams written
// code by code, and the pieces to damage them with. Nothing here decodes.

#include <cstdint>
#include <string>
#include <vector>

#include "picture/pixel_buffer.h"

namespace vexa::picture::test {

using Bytes = std::vector<std::uint8_t>;

inline void PutLittle(Bytes& out, std::uint32_t value, int length) {
  for (int i = 0; i < length; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline std::string AsText(const Bytes& bytes) {
  return {bytes.begin(), bytes.end()};
}

inline Bytes AsBytes(const std::string& text) {
  return {text.begin(), text.end()};
}

// A BMP of `width` x `height` (bottom-up) with a gray palette of 2^bits levels whose pixel data
// is `stream`, compressed as RLE8 (bits 8) or RLE4 (bits 4).
inline Bytes RleBmp(int width, int height, const Bytes& stream, int bits = 8) {
  const int colours = 1 << bits;
  const std::uint32_t pixelOffset = 14 + 40 + 4 * colours;
  Bytes out{'B', 'M'};
  PutLittle(out, pixelOffset + static_cast<std::uint32_t>(stream.size()), 4);
  PutLittle(out, 0, 4);
  PutLittle(out, pixelOffset, 4);
  PutLittle(out, 40, 4);
  PutLittle(out, static_cast<std::uint32_t>(width), 4);
  PutLittle(out, static_cast<std::uint32_t>(height), 4);
  PutLittle(out, 1, 2);
  PutLittle(out, static_cast<std::uint32_t>(bits), 2);
  PutLittle(out, bits == 8 ? 1 : 2, 4);  // BI_RLE8, BI_RLE4
  PutLittle(out, static_cast<std::uint32_t>(stream.size()), 4);
  PutLittle(out, 2835, 4);
  PutLittle(out, 2835, 4);
  PutLittle(out, static_cast<std::uint32_t>(colours), 4);
  PutLittle(out, 0, 4);
  for (int i = 0; i < colours; ++i) {
    const auto level = static_cast<std::uint8_t>(i * 255 / (colours - 1));
    out.insert(out.end(), {level, level, level, 0});
  }
  out.insert(out.end(), stream.begin(), stream.end());
  return out;
}

// The RLE8 stream of a gray picture: repeated levels as runs, stretches of differing levels as
// absolute runs (padded to 16 bits), an end-of-line after every row but the last, then the
// end-of-bitmap code. Rows go bottom-up, as in the file.
inline Bytes Rle8Stream(const PixelBuffer& gray) {
  Bytes out;
  for (int y = gray.height(); y >= 1; --y) {
    int x = 1;
    while (x <= gray.width()) {
      int same = 1;
      while (x + same <= gray.width() && same < 255 && gray.gray(x + same, y) == gray.gray(x, y)) {
        ++same;
      }
      if (same >= 2) {
        out.insert(out.end(), {static_cast<std::uint8_t>(same), gray.gray(x, y)});
        x += same;
        continue;
      }
      int differing = 1;
      while (x + differing <= gray.width() && differing < 255 &&
             (x + differing + 1 > gray.width() ||
              gray.gray(x + differing, y) != gray.gray(x + differing + 1, y))) {
        ++differing;
      }
      if (differing >= 3) {
        out.insert(out.end(), {0, static_cast<std::uint8_t>(differing)});
        for (int i = 0; i < differing; ++i) out.push_back(gray.gray(x + i, y));
        if (differing % 2 == 1) out.push_back(0);
      } else {
        for (int i = 0; i < differing; ++i) out.insert(out.end(), {1, gray.gray(x + i, y)});
      }
      x += differing;
    }
    out.insert(out.end(), {0, static_cast<std::uint8_t>(y > 1 ? 0 : 1)});
  }
  return out;
}

// Codes packed least significant bit first, as GIF's LZW data is.
class CodePacker {
 public:
  void put(int code, int bits) {
    buffer_ |= static_cast<std::uint32_t>(code) << held_;
    held_ += bits;
    while (held_ >= 8) {
      bytes_.push_back(static_cast<std::uint8_t>(buffer_));
      buffer_ >>= 8;
      held_ -= 8;
    }
  }
  Bytes finish() {
    if (held_ > 0) bytes_.push_back(static_cast<std::uint8_t>(buffer_));
    held_ = 0;
    return bytes_;
  }

 private:
  Bytes bytes_;
  std::uint32_t buffer_ = 0;
  int held_ = 0;
};

// An LZW stream that sends every pixel as its own code, growing the code width exactly as a
// decoder does and clearing the table before it fills, then the end code. Valid, if not small.
inline Bytes LiteralLzw(const std::vector<std::uint8_t>& indices, int minimumBits = 8) {
  const int clear = 1 << minimumBits;
  CodePacker packer;
  int bits = minimumBits + 1;
  int next = clear + 2;
  bool first = true;
  packer.put(clear, bits);
  for (std::uint8_t index : indices) {
    if (next >= 4000) {
      packer.put(clear, bits);
      bits = minimumBits + 1;
      next = clear + 2;
      first = true;
    }
    packer.put(index, bits);
    if (!first && ++next == (1 << bits) && bits < 12) ++bits;
    first = false;
  }
  packer.put(clear + 1, bits);
  return packer.finish();
}

// `data` cut into GIF sub-blocks of at most 255 bytes, with the terminating empty block.
inline Bytes SubBlocks(const Bytes& data) {
  Bytes out;
  for (std::size_t pos = 0; pos < data.size(); pos += 255) {
    const std::size_t length = std::min<std::size_t>(255, data.size() - pos);
    out.push_back(static_cast<std::uint8_t>(length));
    out.insert(out.end(), data.begin() + static_cast<std::ptrdiff_t>(pos),
               data.begin() + static_cast<std::ptrdiff_t>(pos + length));
  }
  out.push_back(0);
  return out;
}

struct GifLayout {
  int screenWidth = 0;
  int screenHeight = 0;
  int frameWidth = 0;
  int frameHeight = 0;
  int left = 0;
  int top = 0;
  bool interlaced = false;
};

// A GIF89a with a global palette of 256 grays (index i is level i) and one frame whose LZW data
// (minimum code size 8) is `lzw`.
inline Bytes GrayGif(const GifLayout& layout, const Bytes& lzw) {
  Bytes out{'G', 'I', 'F', '8', '9', 'a'};
  PutLittle(out, static_cast<std::uint32_t>(layout.screenWidth), 2);
  PutLittle(out, static_cast<std::uint32_t>(layout.screenHeight), 2);
  out.insert(out.end(), {0xF7, 0, 0});
  for (int i = 0; i < 256; ++i) {
    const auto level = static_cast<std::uint8_t>(i);
    out.insert(out.end(), {level, level, level});
  }
  out.push_back(0x2C);
  PutLittle(out, static_cast<std::uint32_t>(layout.left), 2);
  PutLittle(out, static_cast<std::uint32_t>(layout.top), 2);
  PutLittle(out, static_cast<std::uint32_t>(layout.frameWidth), 2);
  PutLittle(out, static_cast<std::uint32_t>(layout.frameHeight), 2);
  out.push_back(layout.interlaced ? 0x40 : 0x00);
  out.push_back(8);
  const Bytes blocks = SubBlocks(lzw);
  out.insert(out.end(), blocks.begin(), blocks.end());
  out.push_back(0x3B);
  return out;
}

// A full-screen frame of `width` x `height` from its pixel indices, row by row.
inline Bytes GrayGif(int width, int height, const std::vector<std::uint8_t>& indices) {
  return GrayGif({width, height, width, height}, LiteralLzw(indices));
}

// Deterministic bytes from a linear congruential generator.
inline Bytes SeededBytes(std::size_t count, std::uint32_t seed) {
  Bytes out(count);
  for (std::uint8_t& b : out) {
    seed = seed * 1664525u + 1013904223u;
    b = static_cast<std::uint8_t>(seed >> 24);
  }
  return out;
}

}  // namespace vexa::picture::test
