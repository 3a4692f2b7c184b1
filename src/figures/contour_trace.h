#pragma once
// The contour walk of the milling and outline engraving jobs: from a start pixel the tool steps
// from boundary pixel to boundary pixel of one figure, keeping the figure on its right, until it
// is back on the start pixel.

#include <cstdint>
#include <unordered_set>

#include "figures/contour_starts.h"
#include "figures/direction.h"
#include "figures/figure_map.h"

namespace vexa::figures {

enum class TraceTurn {
  Always,       // milling: every step first turns counter-clockwise
  WhenOnFigure  // outline: only when the cell ahead belongs to the figure
};

// Walks the contour of `figure` from `start` (a pixel of the figure) heading `heading`, calling
// `step(direction, pixel)` after every step with the step taken and the pixel reached. A figure
// of one pixel gives one step of (0, 0). Only picture pixels count as the figure's: the frame
// around the map is never stepped on, whatever number it holds.
//
// Every step is decided by the pixel and the heading alone, so a walk that comes back to a pixel
// with a heading it had before would repeat itself for ever without reaching the start; it ends
// there instead, as if the contour had closed, and the result is false.
template <typename Step>
bool TraceContour(const FigureMap& map, std::int32_t figure, Pixel start, Direction heading,
                  TraceTurn turnRule, Step&& step) {
  auto onFigure = [&](int x, int y) {
    return x >= 1 && y >= 1 && x <= map.width() && y <= map.height() && map.at(x, y) == figure;
  };
  std::unordered_set<std::uint64_t> seen;
  Pixel tool = start;
  Direction direction = heading;
  do {
    if (turnRule == TraceTurn::Always || onFigure(tool.x + direction.dx, tool.y + direction.dy)) {
      TurnCounterClockwise(direction);
    }
    for (int turns = 0; !onFigure(tool.x + direction.dx, tool.y + direction.dy);) {
      if (turns == 8) {
        direction = {0, 0};  // a figure of one pixel
        break;
      }
      TurnClockwise(direction);
      ++turns;
    }
    tool.x += direction.dx;
    tool.y += direction.dy;
    step(direction, tool);
    if (direction.diagonal()) TurnCounterClockwise(direction);
    const std::uint64_t state = (std::uint64_t(std::uint32_t(tool.y)) << 36) |
                                (std::uint64_t(std::uint32_t(tool.x)) << 4) |
                                std::uint64_t((direction.dx + 1) * 3 + (direction.dy + 1));
    if (!seen.insert(state).second) return false;
  } while (tool != start);
  return true;
}

}  // namespace vexa::figures
