#pragma once
// The order in which "Все" works through the figures: level by level from the deepest nesting
// outward, and within a level in the order a row-by-row scan of the map meets them first.

#include <cstdint>
#include <vector>

#include "figures/contour_starts.h"
#include "figures/figure_table.h"

namespace vexa::figures {

// The dark figures still in use (state 1) that have a pixel on the map, in that order. The scan
// of the plain method marks each figure done as it goes and touches no other, so the order can
// be taken once before the first figure is machined.
std::vector<std::int32_t> DarkFiguresDeepestFirst(const FigureTable& table,
                                                  const ContourStarts& starts);

}  // namespace vexa::figures
