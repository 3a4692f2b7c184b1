#pragma once
// Two of the preparation operations: one thinning pass ("Обрезка") and the clearing of specks
// ("Очистить"). Both keep the outermost one-pixel frame.

#include <array>
#include <cstdint>

#include "cutting/operation_display.h"
#include "picture/pixel_buffer.h"

namespace vexa::cutting {

// The 117 neighbourhood codes whose centre a thinning pass whitens. A code sums the weights of
// the dark pixels of the 3 x 3 block: 1 2 4 in the row above, 8 16 32 in the centre's row, 64
// 128 256 in the row below. The set is not symmetric, so the weights' orientation matters.
extern const std::array<int, 117> kTrimCodes;

// One pass over the picture in reading order, in place: each dark pixel whose code, taken from
// the picture as the pass has left it so far, is in kTrimCodes becomes white. True when at least
// one pixel changed.
bool TrimPixels(picture::PixelBuffer& working, std::int32_t pass, const OperationDisplay& display);

// A dark pixel with at most one dark neighbour (fewer than 3 dark pixels in its block, itself
// included) becomes white; the counts come from the picture as it was before the pass.
void ClearSpecks(picture::PixelBuffer& working, std::int32_t pass, const OperationDisplay& display);

}  // namespace vexa::cutting
