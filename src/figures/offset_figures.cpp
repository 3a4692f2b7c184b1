#include "figures/offset_figures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace vexa::figures {

bool OffsetFigures(picture::PixelBuffer& working, double diameter) {
  const int width = working.width();
  const int height = working.height();
  if (!(diameter >= 0) || !std::isfinite(diameter) || width < 1 || height < 1) return false;
  const double reachReal = std::ceil(diameter);
  if (reachReal * 2 >= width || reachReal * 2 >= height) return false;  // nothing but frame
  const int reach = int(reachReal);
  const double limit = diameter * diameter;

  // Along each column, the distance to the nearest pure white pixel, capped just beyond the
  // reach: no farther one can count.
  const auto far = static_cast<std::uint16_t>(reach + 1);
  std::vector<std::uint16_t> columns(std::size_t(width) * height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = working.row(y + 1);
    std::uint16_t* here = &columns[std::size_t(y) * width];
    const std::uint16_t* above = y > 0 ? here - width : nullptr;
    for (int x = 0; x < width; ++x) {
      here[x] = row[std::size_t(x) * 3] == 255
                    ? 0
                    : (above ? std::min<std::uint16_t>(above[x] + 1, far) : far);
    }
  }
  for (int y = height - 2; y >= 0; --y) {
    std::uint16_t* here = &columns[std::size_t(y) * width];
    const std::uint16_t* below = here + width;
    for (int x = 0; x < width; ++x) here[x] = std::min<std::uint16_t>(here[x], below[x] + 1);
  }

  // A white pixel g rows away reaches `sideways[g]` columns to either side within the diameter:
  // the largest k with k² + g² <= diameter², tested as the plain method tests (-1: none).
  std::vector<int> sideways(std::size_t(reach) + 2, -1);
  for (int g = 0; g <= reach; ++g) {
    auto inside = [&](long long k) { return double(k * k + (long long)g * g) <= limit; };
    if (!inside(0)) continue;
    long long k = (long long)std::floor(std::sqrt(std::max(0.0, limit - double(g) * g)));
    while (k > 0 && !inside(k)) --k;
    while (k < reach && inside(k + 1)) ++k;
    sideways[std::size_t(g)] = int(k);
  }

  // In each row, a pixel turns white when some column's white pixel reaches it: the union of
  // the columns' spans, found by a running maximum of the spans' right ends by their left ends.
  bool changed = false;
  std::vector<int> rightEnd(static_cast<std::size_t>(width));
  for (int y = reach; y < height - reach; ++y) {
    std::fill(rightEnd.begin(), rightEnd.end(), -1);
    const std::uint16_t* distances = &columns[std::size_t(y) * width];
    for (int i = 0; i < width; ++i) {
      const int span = sideways[distances[i]];
      if (span < 0) continue;
      const int left = std::max(0, i - span);
      rightEnd[std::size_t(left)] = std::max(rightEnd[std::size_t(left)], i + span);
    }
    std::uint8_t* row = working.row(y + 1);
    int reached = -1;
    for (int x = 0; x < width - reach; ++x) {
      reached = std::max(reached, rightEnd[std::size_t(x)]);
      if (x < reach || reached < x) continue;
      std::uint8_t* pixel = row + std::size_t(x) * 3;
      if (pixel[0] != 255 || pixel[1] != 255 || pixel[2] != 255) {
        pixel[0] = pixel[1] = pixel[2] = 255;
        changed = true;
      }
    }
  }
  return changed;
}

}  // namespace vexa::figures
