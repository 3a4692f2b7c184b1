#pragma once
// The first phase of "Резать": the laser picture's dark lines split into strokes.

#include "cutting/operation_display.h"
#include "cutting/strokes.h"
#include "picture/pixel_buffer.h"

namespace vexa::cutting {

// Dark for the stroke search: the red byte at most 100. A search starts only where it is 0.
inline constexpr int kStrokeDarkUpTo = 100;

// Seeds are taken in reading order (rows 1 to H - 1) at pixels whose red byte is 0; from each,
// the end search finds an end of its line, and the trace from there consumes the line pixel by
// pixel into one stroke, turning to the first dark neighbour clockwise from a quarter turn left.
// A branching line becomes several strokes. `strokes` is made anew; every traced pixel gets a
// red plus in `laser`.
void FindStrokes(picture::PixelBuffer& laser, Strokes& strokes, EventPacer& pacer);

}  // namespace vexa::cutting
