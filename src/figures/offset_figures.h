#pragma once
// "Отступить": every dark figure shrinks by one tool diameter.

#include "picture/pixel_buffer.h"

namespace vexa::figures {

// Every pixel within `diameter` pixels (Euclidean, i² + j² <= diameter²) of a pixel whose gray
// level is exactly 255 turns white, as the plain method that tests the whole (2D + 1)² window
// around each pixel would make it (D the smallest integer not below the diameter); the frame of
// width D along the edges keeps its pixels. Decided from the picture as it was before the call.
// True when any pixel changed.
//
// The window test is a threshold on the distance to the nearest pure white pixel: from each
// pixel's distance to the nearest one in its column, a row's pixels within reach are the union
// of the columns' spans, so the work is linear in the pixels whatever the diameter.
bool OffsetFigures(picture::PixelBuffer& working, double diameter);

}  // namespace vexa::figures
