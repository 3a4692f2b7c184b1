#pragma once
// The edge bands and the offset exactly as the plain method states them: the whole
// (2R + 1)² window tested for every pixel. The fast ones must turn the same pixels white.

#include <cmath>
#include <cstdlib>

#include "picture/pixel_buffer.h"

namespace vexa::milling::plain {

inline picture::PixelBuffer EdgeBands(const picture::PixelBuffer& source, double radius) {
  const int reach = int(std::ceil(radius));
  const picture::PixelBuffer input = source;
  picture::PixelBuffer output = source;
  const int width = source.width(), height = source.height();
  for (int y = reach + 1; y <= height - reach; ++y) {
    for (int x = reach + 1; x <= width - reach; ++x) {
      const int own = input.gray(x, y);
      for (int y2 = y - reach; y2 <= y + reach; ++y2) {
        for (int x2 = x - reach; x2 <= x + reach; ++x2) {
          if ((x - x2) * (x - x2) + (y - y2) * (y - y2) <= radius * radius &&
              std::abs(own - input.gray(x2, y2)) > 10) {
            output.setGray(x, y, 255);
          }
        }
      }
    }
  }
  return output;
}

inline void OffsetFigures(picture::PixelBuffer& working, double diameter) {
  const int reach = int(std::ceil(diameter));
  const picture::PixelBuffer input = working;
  const int width = working.width(), height = working.height();
  for (int y = reach + 1; y <= height - reach; ++y) {
    for (int x = reach + 1; x <= width - reach; ++x) {
      for (int y2 = y - reach; y2 <= y + reach; ++y2) {
        for (int x2 = x - reach; x2 <= x + reach; ++x2) {
          if ((x - x2) * (x - x2) + (y - y2) * (y - y2) <= diameter * diameter &&
              input.gray(x2, y2) == 255) {
            working.setGray(x, y, 255);
          }
        }
      }
    }
  }
}

}  // namespace vexa::milling::plain
