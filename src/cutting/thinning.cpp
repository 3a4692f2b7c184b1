#include "cutting/thinning.h"

#include <utility>
#include <vector>

#include "cutting/tone_operations.h"

namespace vexa::cutting {

const std::array<int, 117> kTrimCodes = {
    23,  26,  27,  30,  31,  50,  51,  54,  55,  58,  59,  62,  63,  89,  90,  91,  94,
    95,  122, 123, 126, 127, 152, 153, 154, 155, 158, 159, 176, 178, 179, 180, 182, 183,
    184, 185, 186, 187, 188, 189, 190, 191, 216, 217, 218, 219, 222, 223, 240, 242, 243,
    244, 246, 247, 248, 249, 250, 251, 252, 253, 254, 255, 304, 306, 307, 308, 310, 311,
    314, 315, 317, 319, 378, 379, 382, 383, 408, 409, 410, 411, 414, 415, 432, 434, 435,
    436, 438, 439, 440, 441, 442, 443, 444, 445, 446, 447, 464, 472, 473, 474, 475, 478,
    479, 496, 498, 499, 500, 502, 503, 504, 505, 506, 507, 508, 509, 510, 511};

namespace {

constexpr unsigned kCentre = 16;

const std::array<bool, 512>& trimmed() {
  static const std::array<bool, 512> table = [] {
    std::array<bool, 512> t{};
    for (int code : kTrimCodes) t[static_cast<std::size_t>(code)] = true;
    return t;
  }();
  return table;
}

bool dark(const std::uint8_t* pixel) {
  return pixel[0] < kDarkBelow;
}

void whiten(std::uint8_t* pixel) {
  pixel[0] = 255;
  pixel[1] = 255;
  pixel[2] = 255;
}

// Column x's three pixels in rows y - 1, y, y + 1 at the weights of the block's left column
// (1, 8, 64); shifted left by 1 or 2 they take the weights of the middle or right column.
unsigned columnBits(const std::uint8_t* above, const std::uint8_t* row, const std::uint8_t* below,
                    int x) {
  const auto offset = static_cast<std::size_t>(x - 1) * 3;
  return (dark(above + offset) ? 1u : 0u) | (dark(row + offset) ? 8u : 0u) |
         (dark(below + offset) ? 64u : 0u);
}

void readDark(const picture::PixelBuffer& picture, int y, std::vector<std::uint8_t>& flags) {
  const std::uint8_t* p = picture.row(y);
  for (std::size_t i = 0; i < flags.size(); ++i, p += 3) flags[i] = dark(p) ? 1 : 0;
}

}  // namespace

bool TrimPixels(picture::PixelBuffer& working, std::int32_t pass, const OperationDisplay& display) {
  OperationRun run(display, StatusText("CR", pass));
  const std::array<bool, 512>& trims = trimmed();
  const int width = working.width();
  const int height = working.height();
  bool changed = false;
  for (int y = 2; y <= height - 1 && width >= 3; ++y) {
    run.row(y, height);
    const std::uint8_t* above = working.row(y - 1);
    std::uint8_t* row = working.row(y);
    const std::uint8_t* below = working.row(y + 1);
    // The code of the block around (x, y) slides along the row; a whitened centre is cleared in
    // it, so the next block sees the change as the buffer does.
    unsigned code = columnBits(above, row, below, 1) | columnBits(above, row, below, 2) << 1;
    for (int x = 2; x <= width - 1; ++x) {
      code |= columnBits(above, row, below, x + 1) << 2;
      if ((code & kCentre) != 0 && trims[code]) {
        whiten(row + static_cast<std::size_t>(x - 1) * 3);
        code &= ~kCentre;
        changed = true;
      }
      code = (code >> 1) & 0b011011011u;
    }
  }
  run.finish();
  return changed;
}

void ClearSpecks(picture::PixelBuffer& working, std::int32_t pass,
                 const OperationDisplay& display) {
  OperationRun run(display, StatusText("CL", pass));
  const int width = working.width();
  const int height = working.height();
  if (width >= 3 && height >= 3) {
    // The dark flags of the input rows around row y, read before row y is written.
    const auto w = static_cast<std::size_t>(width);
    std::vector<std::uint8_t> above(w), centre(w), below(w), columnCounts(w);
    readDark(working, 1, above);
    readDark(working, 2, centre);
    for (int y = 2; y <= height - 1; ++y) {
      run.row(y, height);
      readDark(working, y + 1, below);
      for (std::size_t i = 0; i < w; ++i) {
        columnCounts[i] = static_cast<std::uint8_t>(above[i] + centre[i] + below[i]);
      }
      std::uint8_t* row = working.row(y);
      for (std::size_t i = 1; i + 1 < w; ++i) {
        if (centre[i] != 0 && columnCounts[i - 1] + columnCounts[i] + columnCounts[i + 1] < 3) {
          whiten(row + i * 3);
        }
      }
      std::swap(above, centre);
      std::swap(centre, below);
    }
  }
  run.finish();
}

}  // namespace vexa::cutting
