#pragma once
// Generated pictures for comparing the fast figure extraction with the plain one: noise of
// several densities, nested rings, diagonals, blobs against the edges, gray levels around the
// light/dark threshold, rows of dots that keep more than 100 figures alive at once, and
// dithered pictures.

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

#include "picture/pixel_buffer.h"
#include "picture/pseudo_tone.h"

namespace vexa::figures::test {

class PictureGenerator {
 public:
  explicit PictureGenerator(std::uint32_t seed) : random_(seed) {}

  int between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  bool chance(double p) { return std::bernoulli_distribution(p)(random_); }

  picture::PixelBuffer noise(int width, int height, double darkShare) {
    picture::PixelBuffer picture(width, height);
    for (int y = 1; y <= height; ++y) {
      for (int x = 1; x <= width; ++x) picture.setGray(x, y, chance(darkShare) ? 0 : 255);
    }
    return picture;
  }

  // Levels 98 to 103 only: the class hangs on the exact threshold (100 dark, 101 light).
  picture::PixelBuffer nearThreshold(int width, int height) {
    picture::PixelBuffer picture(width, height);
    for (int y = 1; y <= height; ++y) {
      for (int x = 1; x <= width; ++x) picture.setGray(x, y, std::uint8_t(between(98, 103)));
    }
    return picture;
  }

  // Blue bytes of 100 or 101 under random green and red: only the blue byte may decide.
  picture::PixelBuffer colourNoise(int width, int height) {
    picture::PixelBuffer picture(width, height);
    for (int y = 1; y <= height; ++y) {
      for (int x = 1; x <= width; ++x) {
        picture.setColor(x, y, std::uint8_t(between(100, 101)), std::uint8_t(between(0, 255)),
                         std::uint8_t(between(0, 255)));
      }
    }
    return picture;
  }

  // Concentric square rings of alternating colour around a random centre, often cut by the edges.
  picture::PixelBuffer rings(int width, int height) {
    picture::PixelBuffer picture(width, height);
    const int cx = between(1, width);
    const int cy = between(1, height);
    const int band = between(1, 3);
    const bool darkCentre = chance(0.5);
    for (int y = 1; y <= height; ++y) {
      for (int x = 1; x <= width; ++x) {
        const int ring = std::max(std::abs(x - cx), std::abs(y - cy)) / band;
        picture.setGray(x, y, ((ring % 2 == 0) == darkCentre) ? 0 : 255);
      }
    }
    return picture;
  }

  // Straight lines along both diagonals, one or two pixels thick, on either background.
  picture::PixelBuffer diagonals(int width, int height) {
    const bool darkLines = chance(0.7);
    picture::PixelBuffer picture(width, height, darkLines ? 255 : 0);
    const int lines = between(1, 6);
    for (int i = 0; i < lines; ++i) {
      const int offset = between(-height, width);
      const bool falling = chance(0.5);
      const bool thick = chance(0.3);
      for (int y = 1; y <= height; ++y) {
        const int x = falling ? offset + y : offset - y;
        for (int dx = 0; dx <= (thick ? 1 : 0); ++dx) {
          if (x + dx >= 1 && x + dx <= width) picture.setGray(x + dx, y, darkLines ? 0 : 255);
        }
      }
    }
    return picture;
  }

  // Filled rectangles and single pixels anywhere, edges and corners included, either colour.
  picture::PixelBuffer blobs(int width, int height) {
    picture::PixelBuffer picture(width, height, chance(0.8) ? 255 : 0);
    const int count = between(1, 12);
    for (int i = 0; i < count; ++i) {
      const int x0 = between(1, width);
      const int y0 = between(1, height);
      const int x1 = std::min(width, x0 + between(0, width / 2));
      const int y1 = std::min(height, y0 + between(0, height / 2));
      const std::uint8_t level = chance(0.5) ? 0 : 255;
      for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) picture.setGray(x, y, level);
      }
    }
    return picture;
  }

  // Dark dots two pixels apart on white, some rows shifted, some dots joined below: well over
  // 100 figures alive at once, and frees that the next rows reuse.
  picture::PixelBuffer dots(int width, int height) {
    picture::PixelBuffer picture(width, height);
    for (int y = 1; y <= height; y += 2) {
      const int shift = between(0, 1);
      for (int x = 1 + shift; x <= width; x += 2) {
        if (chance(0.9)) picture.setGray(x, y, 0);
        if (y < height && chance(0.2)) picture.setGray(x, y + 1, 0);
      }
    }
    return picture;
  }

  // Noise smoothed by a box filter and thresholded: blobs with holes and islands, like a
  // thresholded photograph.
  picture::PixelBuffer smoothed(int width, int height) {
    std::vector<int> values(static_cast<std::size_t>(width) * height);
    for (int& v : values) v = between(0, 255);
    const int radius = between(1, 3);
    picture::PixelBuffer picture(width, height);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        int sum = 0;
        int count = 0;
        for (int j = std::max(0, y - radius); j <= std::min(height - 1, y + radius); ++j) {
          for (int i = std::max(0, x - radius); i <= std::min(width - 1, x + radius); ++i) {
            sum += values[static_cast<std::size_t>(j) * width + i];
            ++count;
          }
        }
        picture.setGray(x + 1, y + 1, std::uint8_t(sum / count));
      }
    }
    return picture;
  }

  // The laser window's ordered dither over smoothed noise or over a ramp of every level: the
  // lattices of dots, diagonal lines and checkerboards the dither makes of each gray level, and
  // their seams.
  picture::PixelBuffer dithered(int width, int height) {
    picture::PixelBuffer picture(width, height);
    if (chance(0.5)) {
      picture = smoothed(width, height);
    } else {
      const bool across = chance(0.5);
      for (int y = 1; y <= height; ++y) {
        for (int x = 1; x <= width; ++x) {
          const int step = across ? x - 1 : y - 1;
          const int steps = std::max(1, (across ? width : height) - 1);
          picture.setGray(x, y, std::uint8_t(step * 255 / steps));
        }
      }
    }
    picture::PseudoTone(picture);
    return picture;
  }

 private:
  std::mt19937 random_;
};

}  // namespace vexa::figures::test
