#pragma once
// The second phase of "Резать": a short travelling order for the strokes.

#include <cstdint>
#include <vector>

#include "cutting/strokes.h"

namespace vexa::cutting {

// From (0, 0), again and again the stroke whose start is nearest to the end of the last one
// chosen, among those not chosen yet, in table order. The best distance so far is kept rounded
// to an integer (ties to even) and a later stroke replaces the choice only when its exact
// distance is below that rounded value, so the choice among strokes at nearly equal distances
// follows that rule exactly. Sets every done flag; returns stroke numbers in cutting order.
std::vector<std::int32_t> OrderStrokes(std::vector<StrokeRecord>& table);

}  // namespace vexa::cutting
