#pragma once
// Small pictures the picture tests build, and a look at pixels as gray levels.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "picture/pixel_buffer.h"

namespace vexa::picture::test {

// A gray picture from rows of levels, top row first.
inline PixelBuffer GrayPicture(std::initializer_list<std::initializer_list<int>> rows) {
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(rows.begin()->size());
  PixelBuffer picture(width, height);
  int y = 1;
  for (const auto& row : rows) {
    int x = 1;
    for (int level : row) picture.setGray(x++, y, static_cast<std::uint8_t>(level));
    ++y;
  }
  return picture;
}

// The blue bytes, row by row.
inline std::vector<std::vector<int>> Levels(const PixelBuffer& picture) {
  std::vector<std::vector<int>> rows;
  for (int y = 1; y <= picture.height(); ++y) {
    std::vector<int> row;
    for (int x = 1; x <= picture.width(); ++x) row.push_back(picture.gray(x, y));
    rows.push_back(row);
  }
  return rows;
}

// Deterministic pseudo-random levels (a linear congruential generator), so failures repeat.
inline PixelBuffer NoisePicture(int width, int height, std::uint32_t seed) {
  PixelBuffer picture(width, height);
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const auto level = static_cast<std::uint8_t>(seed >> 24);
      picture.setColor(x, y, level, static_cast<std::uint8_t>(seed >> 16),
                       static_cast<std::uint8_t>(seed >> 8));
    }
  }
  return picture;
}

}  // namespace vexa::picture::test
