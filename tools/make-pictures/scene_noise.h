#pragma once
// Deterministic noise for the generated pictures: the same files come out on every machine.

#include <cmath>
#include <cstdint>

namespace make_pictures {

// A value in [0, 1) for a lattice point.
inline double Hash(int x, int y, std::uint32_t seed) {
  std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u +
                    static_cast<std::uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return (h & 0xFFFFFF) / 16777216.0;
}

inline double Smooth(double t) {
  return t * t * (3 - 2 * t);
}

// Value noise: hashed lattice values blended smoothly, in [0, 1).
inline double ValueNoise(double x, double y, std::uint32_t seed) {
  const int ix = static_cast<int>(std::floor(x));
  const int iy = static_cast<int>(std::floor(y));
  const double fx = Smooth(x - ix);
  const double fy = Smooth(y - iy);
  const double top = Hash(ix, iy, seed) * (1 - fx) + Hash(ix + 1, iy, seed) * fx;
  const double bottom = Hash(ix, iy + 1, seed) * (1 - fx) + Hash(ix + 1, iy + 1, seed) * fx;
  return top * (1 - fy) + bottom * fy;
}

// Several octaves of value noise, in [0, 1).
inline double Fractal(double x, double y, int octaves, std::uint32_t seed) {
  double sum = 0;
  double weight = 0.5;
  double total = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += weight * ValueNoise(x, y, seed + i);
    total += weight;
    x *= 2.03;
    y *= 2.03;
    weight *= 0.5;
  }
  return sum / total;
}

// Distance to the nearest of the points scattered one per `cell` square (cellular noise).
inline double NearestSpot(double x, double y, double cell, std::uint32_t seed) {
  const int cx = static_cast<int>(std::floor(x / cell));
  const int cy = static_cast<int>(std::floor(y / cell));
  double best = 1e9;
  for (int j = cy - 1; j <= cy + 1; ++j) {
    for (int i = cx - 1; i <= cx + 1; ++i) {
      const double px = (i + 0.15 + 0.7 * Hash(i, j, seed)) * cell;
      const double py = (j + 0.15 + 0.7 * Hash(i, j, seed + 7)) * cell;
      best = std::min(best, std::hypot(x - px, y - py));
    }
  }
  return best;
}

}  // namespace make_pictures
