#pragma once
// The size of the tool the milling and outline engraving jobs paint and offset with, checked on
// the numbers their fields give before anything moves: a value out of range is named in a
// message instead of freezing the window.

#include <cstdint>
#include <limits>

namespace vexa::figures {

// A tool's diameter in picture pixels (the milling cutter, the laser spot).
inline double ToolDiameterInPixels(double diameterMm, double widthMm, int pictureWidth) {
  return diameterMm * pictureWidth / widthMm;
}

// The marks, edge bands and offsets count the tool's reach in whole pixels: a diameter an int
// cannot hold (a huge diameter, or a finished width of almost nothing) is refused.
inline bool ToolSizeFits(double diameterMm, double widthMm, int pictureWidth) {
  const double pixels = ToolDiameterInPixels(diameterMm, widthMm, pictureWidth);
  return pixels >= 0 && pixels <= std::numeric_limits<std::int32_t>::max();
}

}  // namespace vexa::figures
