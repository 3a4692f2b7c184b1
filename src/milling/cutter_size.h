#pragma once
// The cutter's size in picture pixels, computed at the start of every job from the fields.

#include <cmath>

namespace vexa::milling {

struct CutterSize {
  double radius = 0;  // cutterRadius: diameter × W / 2 / finished width
  int reach = 0;      // cutterReach: the smallest integer not below the radius
};

inline CutterSize CutterSizeOf(double diameterMm, double widthMm, int pictureWidth) {
  const double radius = diameterMm * pictureWidth / 2 / widthMm;
  return {radius, static_cast<int>(std::ceil(radius))};
}

// cutterDiameter of "Отступить": diameter × W / finished width, pixels.
inline double CutterDiameterOf(double diameterMm, double widthMm, int pictureWidth) {
  return diameterMm * pictureWidth / widthMm;
}

}  // namespace vexa::milling
