#include "outline/edge_lines.h"

#include <cstdlib>

namespace vexa::outline {

picture::PixelBuffer EdgeLines(const picture::PixelBuffer& source) {
  picture::PixelBuffer output = source;
  for (int y = 2; y <= source.height() - 1; ++y) {
    for (int x = 2; x <= source.width() - 1; ++x) {
      const int own = source.gray(x, y);
      bool step = false;
      for (int j = -1; j <= 1 && !step; ++j) {
        for (int i = -1; i <= 1 && !step; ++i)
          step = std::abs(own - source.gray(x + i, y + j)) > 10;
      }
      if (step) output.setGray(x, y, 255);
    }
  }
  return output;
}

}  // namespace vexa::outline
