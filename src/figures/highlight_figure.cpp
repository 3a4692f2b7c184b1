#include "figures/highlight_figure.h"

#include <algorithm>

namespace vexa::figures {

void HighlightFigure(const picture::PixelBuffer& working, const FigureMap& map, std::int32_t figure,
                     picture::PixelBuffer& selection) {
  selection = working;
  if (map.empty()) return;
  const int width = std::min(working.width(), map.width());
  const int height = std::min(working.height(), map.height());
  for (int y = 1; y <= height; ++y) {
    const std::int32_t* cells = map.row(y);
    for (int x = 1; x <= width; ++x) {
      if (cells[x] == figure) selection.setColor(x, y, 0, 255, 0);
    }
  }
}

}  // namespace vexa::figures
