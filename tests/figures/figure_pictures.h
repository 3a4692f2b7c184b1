#pragma once
// Small test pictures drawn as text: '#' is black (0), '.' is white (255); rows top down.

#include <string>
#include <vector>

#include "picture/pixel_buffer.h"

namespace vexa::figures::test {

inline picture::PixelBuffer Drawn(const std::vector<std::string>& rows) {
  picture::PixelBuffer picture(static_cast<int>(rows.front().size()),
                               static_cast<int>(rows.size()));
  for (int y = 1; y <= picture.height(); ++y) {
    for (int x = 1; x <= picture.width(); ++x) {
      picture.setGray(x, y, rows[y - 1][x - 1] == '#' ? 0 : 255);
    }
  }
  return picture;
}

}  // namespace vexa::figures::test
