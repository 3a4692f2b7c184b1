#pragma once
// "Сглаживание": small steps of the lines are replaced by smoother ones, pattern by pattern.

#include <cstdint>

#include "cutting/operation_display.h"
#include "cutting/pattern.h"
#include "picture/pixel_buffer.h"

namespace vexa::cutting {

// For each orientation of `before` not tried already for this pair, every window of its size
// whose origin lies at rows 2..H-N+1 and columns 2..W-N+1, in reading order: when no cell
// contradicts the picture (a 0 on blue 0, a 1 on blue 255), the window receives `after` in the
// same orientation, and the windows after it see the change. Gray pixels contradict nothing.
void ApplyPattern(picture::PixelBuffer& working, std::int32_t pass, const Pattern& before,
                  const Pattern& after, const OperationDisplay& display);

// ApplyPattern with the five pairs of SmoothingPairs(), pass numbers 1 to 5.
void SmoothLines(picture::PixelBuffer& working, const OperationDisplay& display);

}  // namespace vexa::cutting
