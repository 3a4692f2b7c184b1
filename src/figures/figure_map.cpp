#include "figures/figure_map.h"

#include <algorithm>

namespace vexa::figures {

void FigureMap::resize(int width, int height, bool zeroed) {
  const std::size_t cells =
      static_cast<std::size_t>(width + 2) * static_cast<std::size_t>(height + 2);
  if (width != width_ || height != height_ || cells_.size() != cells) {
    width_ = width;
    height_ = height;
    // A fresh block rather than resize(): resize would copy the old cells over.
    decltype(cells_) fresh;
    fresh.resize(cells);
    cells_.swap(fresh);
  }
  if (zeroed) std::fill(cells_.begin(), cells_.end(), 0);
}

}  // namespace vexa::figures
