#include "cutting/tone_operations.h"

#include <array>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace vexa::cutting {

namespace {

void setLevel(std::uint8_t* pixel, std::uint8_t level) {
  pixel[0] = level;
  pixel[1] = level;
  pixel[2] = level;
}

int grayOf(int red, int green, int blue) {
  return static_cast<int>(std::nearbyint(0.3 * red + 0.59 * green + 0.11 * blue));
}

// n / 4 to the nearest integer, ties to the even one: the sum of quarter weights is exact in
// integers, so no rounding of a real number is needed.
int quartersToNearest(int n) {
  const int whole = n >> 2;  // floor, negative values included
  const int rest = n & 3;
  return whole + ((rest > 2 || (rest == 2 && (whole & 1) != 0)) ? 1 : 0);
}

// The blue bytes of row y.
void readBlue(const picture::PixelBuffer& picture, int y, std::vector<std::uint8_t>& levels) {
  const std::uint8_t* p = picture.row(y);
  for (std::size_t i = 0; i < levels.size(); ++i, p += 3) levels[i] = *p;
}

}  // namespace

void PrepareGray(picture::PixelBuffer& working, std::int32_t pass,
                 const OperationDisplay& display) {
  OperationRun run(display, StatusText("ST", pass));
  // The pictures here are gray (three equal bytes): one table serves them.
  std::array<std::uint8_t, 256> ofEqual{};
  for (int v = 0; v < 256; ++v) {
    const int gray = grayOf(v, v, v);
    ofEqual[static_cast<std::size_t>(v)] =
        static_cast<std::uint8_t>(gray >= kDarkBelow ? 255 : gray);
  }
  const int width = working.width();
  const int height = working.height();
  for (int y = 2; y <= height - 1; ++y) {
    run.row(y, height);
    std::uint8_t* p = working.row(y) + 3;
    for (int x = 2; x <= width - 1; ++x, p += 3) {
      if (p[0] == p[1] && p[1] == p[2]) {
        setLevel(p, ofEqual[p[0]]);
      } else {
        const int gray = grayOf(p[2], p[1], p[0]);
        setLevel(p, static_cast<std::uint8_t>(gray >= kDarkBelow ? 255 : gray));
      }
    }
  }
  run.finish();
}

void RaiseContrast(picture::PixelBuffer& working, std::int32_t pass,
                   const OperationDisplay& display) {
  OperationRun run(display, StatusText("CN", pass));
  const int width = working.width();
  const int height = working.height();
  if (width >= 5 && height >= 5) {
    // The input rows y - 1, y, y + 1, read before row y is written: the pass works on the
    // picture as it was, without a second copy of the whole of it.
    const auto w = static_cast<std::size_t>(width);
    std::vector<std::uint8_t> above(w), centre(w), below(w);
    std::vector<int> columnSums(w);
    readBlue(working, 2, above);
    readBlue(working, 3, centre);
    for (int y = 3; y <= height - 2; ++y) {
      run.row(y, height);
      readBlue(working, y + 1, below);
      for (std::size_t i = 1; i + 1 < w; ++i) columnSums[i] = above[i] + centre[i] + below[i];
      std::uint8_t* p = working.pixel(3, y);
      for (std::size_t i = 2; i + 2 < w; ++i, p += 3) {
        const int neighbours = columnSums[i - 1] + columnSums[i] + columnSums[i + 1] - centre[i];
        int level = quartersToNearest(16 * centre[i] - neighbours);
        level = level < 0 ? 0 : (level > 255 ? 255 : level);
        setLevel(p, static_cast<std::uint8_t>(level));
      }
      std::swap(above, centre);
      std::swap(centre, below);
    }
  }
  run.finish();
}

void MakeBlackWhite(picture::PixelBuffer& working, std::int32_t pass,
                    const OperationDisplay& display) {
  OperationRun run(display, StatusText("GS", pass));
  const int width = working.width();
  const int height = working.height();
  for (int y = 2; y <= height - 1; ++y) {
    run.row(y, height);
    std::uint8_t* p = working.row(y) + 3;
    for (int x = 2; x <= width - 1; ++x, p += 3) setLevel(p, p[0] >= kDarkBelow ? 255 : 0);
  }
  run.finish();
}

}  // namespace vexa::cutting
