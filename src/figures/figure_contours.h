#pragma once
// The contours a job works through for one figure, in the order the milling and outline jobs
// take them: each hole of the figure in the order of its link entries, from the first pixel of
// the figure directly above the hole heading left, then the outside, from the figure's first
// pixel heading right.

#include <cstdint>

#include "figures/contour_starts.h"
#include "figures/direction.h"
#include "figures/figure_links.h"

namespace vexa::figures {

// Calls `contour(start, heading, isHole)` for each contour of `figure` whose start lies in rows
// 1..`lastRow`. A hole with no such start is left out (the plain search would have none).
template <typename Contour>
void ForEachContour(const FigureLinks& links, const ContourStarts& starts, std::int32_t figure,
                    int lastRow, Contour&& contour) {
  auto usable = [lastRow](const std::optional<Pixel>& start) {
    return start && start->y <= lastRow;
  };
  for (const FigureLink& link : links.inUse()) {
    if (link.parent != figure) continue;
    const std::optional<Pixel> start = starts.aboveHole(figure, link.child);
    if (usable(start)) contour(*start, Direction{-1, 0}, true);
  }
  const std::optional<Pixel> outside = starts.outer(figure);
  if (usable(outside)) contour(*outside, Direction{1, 0}, false);
}

}  // namespace vexa::figures
