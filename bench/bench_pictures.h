#pragma once
// Pictures the benchmarks share: levels interpolated smoothly from a coarse grid, and the gepard
// photograph enlarged that way.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "picture/gray_picture.h"
#include "picture/pixel_buffer.h"
#include "picture/qt_codec.h"

namespace vexa::bench {

using picture::PixelBuffer;

// Gray levels sampled from `levels` (gridWidth x gridHeight) with bilinear interpolation.
inline PixelBuffer Smoothly(const std::vector<float>& levels, int gridWidth, int gridHeight,
                            int width, int height) {
  PixelBuffer picture = PixelBuffer::ForOverwrite(width, height);
  for (int y = 1; y <= height; ++y) {
    const double gy = (y - 0.5) * gridHeight / height - 0.5;
    const int y0 = std::clamp(static_cast<int>(std::floor(gy)), 0, gridHeight - 1);
    const int y1 = std::min(y0 + 1, gridHeight - 1);
    const double fy = std::clamp(gy - y0, 0.0, 1.0);
    std::uint8_t* row = picture.row(y);
    for (int x = 1; x <= width; ++x) {
      const double gx = (x - 0.5) * gridWidth / width - 0.5;
      const int x0 = std::clamp(static_cast<int>(std::floor(gx)), 0, gridWidth - 1);
      const int x1 = std::min(x0 + 1, gridWidth - 1);
      const double fx = std::clamp(gx - x0, 0.0, 1.0);
      auto at = [&](int i, int j) { return levels[static_cast<std::size_t>(j) * gridWidth + i]; };
      const double top = at(x0, y0) * (1 - fx) + at(x1, y0) * fx;
      const double bottom = at(x0, y1) * (1 - fx) + at(x1, y1) * fx;
      const auto level = static_cast<std::uint8_t>(std::lround(top * (1 - fy) + bottom * fy));
      std::uint8_t* p = row + (x - 1) * 3;
      p[0] = p[1] = p[2] = level;
    }
  }
  return picture;
}

// gepard2.jpg beside the executables (the application's build copies it there), else in the
// source tree's resources.
inline std::filesystem::path GepardPath() {
  const auto beside = std::filesystem::read_symlink("/proc/self/exe").parent_path() / "gepard2.jpg";
  if (std::filesystem::exists(beside)) return beside;
  return std::filesystem::path(__FILE__).parent_path().parent_path() / "resources" / "gepard2.jpg";
}

inline PixelBuffer Photograph(int width, int height) {
  const PixelBuffer photo = picture::Gray32Picture(picture::LoadPictureFile(GepardPath()));
  std::vector<float> levels(static_cast<std::size_t>(photo.width()) * photo.height());
  for (int y = 1; y <= photo.height(); ++y) {
    for (int x = 1; x <= photo.width(); ++x) {
      levels[static_cast<std::size_t>(y - 1) * photo.width() + x - 1] = photo.gray(x, y);
    }
  }
  return Smoothly(levels, photo.width(), photo.height(), width, height);
}

// The photograph 2000 x 2000 thresholded to black and white: a drawing of many figures, made
// once per process.
inline const PixelBuffer& Drawing() {
  static PixelBuffer picture;
  if (picture.empty()) {
    picture = Photograph(2000, 2000);
    for (int y = 1; y <= picture.height(); ++y) {
      for (int x = 1; x <= picture.width(); ++x) {
        picture.setGray(x, y, picture.gray(x, y) > 110 ? 255 : 0);
      }
    }
  }
  return picture;
}

}  // namespace vexa::bench
