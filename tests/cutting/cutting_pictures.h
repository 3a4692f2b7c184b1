#pragma once
// Generated pictures for the cutting tests and benches: deterministic, so a failure repeats.

#include <cmath>
#include <cstdint>

#include "picture/pixel_buffer.h"

namespace vexa::cutting::test {

class Lcg {
 public:
  explicit Lcg(std::uint32_t seed) : state_(seed) {}
  std::uint32_t next() {
    state_ = state_ * 1664525u + 1013904223u;
    return state_ >> 8;
  }
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }

 private:
  std::uint32_t state_;
};

// Levels that sit on the operations' edges (0, 99, 100, 255) mixed with any level, and now and
// then a pixel whose three bytes differ.
inline picture::PixelBuffer EdgyLevels(int width, int height, std::uint32_t seed) {
  static constexpr int kEdges[] = {0, 0, 0, 99, 100, 101, 255, 255, 255, 255};
  Lcg random(seed);
  picture::PixelBuffer picture(width, height);
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      const int pick = random.below(14);
      const int level = pick < 10 ? kEdges[pick] : random.below(256);
      picture.setGray(x, y, static_cast<std::uint8_t>(level));
      if (random.below(20) == 0) {
        picture.setColor(x, y, static_cast<std::uint8_t>(random.below(256)),
                         static_cast<std::uint8_t>(random.below(256)),
                         static_cast<std::uint8_t>(random.below(256)));
      }
    }
  }
  return picture;
}

// Black with probability `blackPercent`, white otherwise, and a few gray pixels.
inline picture::PixelBuffer Speckled(int width, int height, int blackPercent, std::uint32_t seed) {
  Lcg random(seed);
  picture::PixelBuffer picture(width, height);
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      const int roll = random.below(100);
      const int level = roll < blackPercent ? 0 : (roll < blackPercent + 3 ? 60 + roll : 255);
      picture.setGray(x, y, static_cast<std::uint8_t>(level));
    }
  }
  return picture;
}

// A gray photograph-like scene: soft light, a few shapes with hard edges, fine texture, noise.
inline picture::PixelBuffer PhotoLike(int width, int height, std::uint32_t seed) {
  Lcg random(seed);
  struct Disc {
    double x, y, r;
    int level;
  };
  Disc discs[12];
  for (Disc& d : discs) {
    d = {random.below(width) * 1.0, random.below(height) * 1.0,
         (5 + random.below(std::max(6, width / 6))) * 1.0, random.below(256)};
  }
  picture::PixelBuffer picture(width, height);
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      double level = 128 + 70 * std::sin(x * 0.013 + y * 0.007) * std::cos(y * 0.011);
      level += 25 * std::sin(x * 0.21) * std::sin(y * 0.17);
      for (const Disc& d : discs) {
        if ((x - d.x) * (x - d.x) + (y - d.y) * (y - d.y) < d.r * d.r)
          level = 0.6 * level + 0.4 * d.level;
      }
      level += random.below(41) - 20;
      level = level < 0 ? 0 : (level > 255 ? 255 : level);
      picture.setGray(x, y, static_cast<std::uint8_t>(level));
    }
  }
  return picture;
}

// Thin lines on white: random 8-connected polylines, rings and a few thick blots, black or a
// dark gray (red byte up to 100), some touching the picture's edges.
inline picture::PixelBuffer LineDrawing(int width, int height, std::uint32_t seed) {
  Lcg random(seed);
  picture::PixelBuffer picture(width, height);
  auto plot = [&](int x, int y, int level) {
    if (x >= 1 && y >= 1 && x <= width && y <= height) {
      picture.setGray(x, y, static_cast<std::uint8_t>(level));
    }
  };
  const int lines = 3 + random.below(6);
  for (int i = 0; i < lines; ++i) {
    int x = 1 + random.below(width), y = 1 + random.below(height);
    const int level = random.below(4) == 0 ? 1 + random.below(100) : 0;
    const int segments = 1 + random.below(4);
    for (int s = 0; s < segments; ++s) {
      const int tx = 1 + random.below(width), ty = 1 + random.below(height);
      const int steps = std::max(std::abs(tx - x), std::abs(ty - y));
      for (int k = 0; k <= steps; ++k) {
        plot(x + (steps == 0 ? 0 : (tx - x) * k / steps),
             y + (steps == 0 ? 0 : (ty - y) * k / steps), level);
      }
      x = tx, y = ty;
    }
  }
  const int rings = random.below(3);
  for (int i = 0; i < rings; ++i) {
    const int cx = 1 + random.below(width), cy = 1 + random.below(height), r = 2 + random.below(8);
    for (int a = 0; a < 360; a += 2) {
      plot(cx + static_cast<int>(std::lround(r * std::cos(a * 0.0174533))),
           cy + static_cast<int>(std::lround(r * std::sin(a * 0.0174533))), 0);
    }
  }
  const int blots = random.below(3);
  for (int i = 0; i < blots; ++i) {
    const int bx = 1 + random.below(width), by = 1 + random.below(height),
              size = 2 + random.below(6);
    for (int y = by; y < by + size; ++y) {
      for (int x = bx; x < bx + size; ++x) plot(x, y, 0);
    }
  }
  return picture;
}

}  // namespace vexa::cutting::test
