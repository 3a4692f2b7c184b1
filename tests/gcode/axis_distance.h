#pragma once
// The distance the straight-line rule promises to keep: along every axis at once.

#include <algorithm>
#include <array>

namespace vexa::gcode {

using Point3 = std::array<double, 3>;

// The least over the segment a-b of the largest per-axis distance to p. The largest of the six
// pieces +-(p - a - t d) is convex and piecewise linear in t, so its least value is at an end or
// where two pieces cross.
inline double AxisDistance(const Point3& p, const Point3& a, const Point3& b) {
  std::array<double, 6> offset{}, slope{};
  for (int i = 0; i < 3; ++i) {
    offset[2 * i] = p[i] - a[i];
    slope[2 * i] = -(b[i] - a[i]);
    offset[2 * i + 1] = -offset[2 * i];
    slope[2 * i + 1] = -slope[2 * i];
  }
  const auto largest = [&](double t) {
    double most = 0;
    for (int k = 0; k < 6; ++k) most = std::max(most, offset[k] + slope[k] * t);
    return most;
  };
  double least = std::min(largest(0), largest(1));
  for (int k = 0; k < 6; ++k) {
    for (int l = k + 1; l < 6; ++l) {
      if (slope[k] == slope[l]) continue;
      const double t = (offset[l] - offset[k]) / (slope[k] - slope[l]);
      if (t > 0 && t < 1) least = std::min(least, largest(t));
    }
  }
  return least;
}

}  // namespace vexa::gcode
