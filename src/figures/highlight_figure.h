#pragma once
// HighlightFigure: the selected figure painted green over the working picture.

#include <cstdint>

#include "figures/figure_map.h"
#include "picture/pixel_buffer.h"

namespace vexa::figures {

// `selection` becomes a copy of `working` with every pixel whose map cell holds `figure` set to
// blue 0, green 255, red 0. The map may describe a picture of another size (a picture loaded
// after the parse): only the pixels that both cover are looked at, never a cell outside the map.
void HighlightFigure(const picture::PixelBuffer& working, const FigureMap& map, std::int32_t figure,
                     picture::PixelBuffer& selection);

}  // namespace vexa::figures
