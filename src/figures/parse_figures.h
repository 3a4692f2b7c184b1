#pragma once
// ParseFigures: splits the working picture into light and dark figures.

#include <cstdint>

#include "figures/figure_data.h"
#include "picture/pixel_buffer.h"

namespace vexa::figures {

// A pixel whose blue byte is above this is light, otherwise dark.
inline constexpr std::uint8_t kDarkUpTo = 100;

// Rebuilds the map, table and links of `data` from `working` and then its tree
// (BuildFigureTree), with the figure numbers of the plain row-by-row method.
//
// The picture's own size is used (the windows keep their copies the same size). A picture of
// 0 x 0 gives the frame alone: figure 1 and an empty tree, which the figure commands take as "not
// parsed". The parse lets no events through: it takes tens of milliseconds even on a
// 12-megapixel picture, and a handler running halfway would find a half-built map.
void ParseFigures(const picture::PixelBuffer& working, FigureData& data);

}  // namespace vexa::figures
