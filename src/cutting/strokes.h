#pragma once
// The job data of "Резать": strokes (chains of dark pixels one pixel apart), the map that tells
// which stroke each pixel belongs to, and the order in which they are cut.

#include <cstdint>
#include <vector>

#include "figures/contour_starts.h"
#include "picture/pixel_buffer.h"

namespace vexa::cutting {

using figures::Pixel;

struct StrokeRecord {
  std::int32_t startX = 0, startY = 0;
  std::int32_t endX = 0, endY = 0;
  std::int32_t done = 0;  // OrderStrokes: placed in the cut order
};

// One stroke number per picture pixel, 0 where no stroke lies; outside the picture reads 0.
class StrokeMap {
 public:
  StrokeMap() = default;
  StrokeMap(int width, int height)
      : width_(width),
        height_(height),
        cells_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {}

  int width() const { return width_; }
  int height() const { return height_; }
  bool inside(int x, int y) const { return x >= 1 && y >= 1 && x <= width_ && y <= height_; }
  std::int32_t at(int x, int y) const { return inside(x, y) ? cells_[index(x, y)] : 0; }
  void set(int x, int y, std::int32_t stroke) { cells_[index(x, y)] = stroke; }

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y - 1) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x - 1);
  }

  int width_ = 0, height_ = 0;
  std::vector<std::int32_t> cells_;
};

struct Strokes {
  std::vector<StrokeRecord> table;  // stroke s at table[s - 1]
  StrokeMap map;
  std::vector<std::int32_t> order;  // stroke numbers in the order of cutting

  std::int32_t count() const { return static_cast<std::int32_t>(table.size()); }
  StrokeRecord& operator[](std::int32_t stroke) {
    return table[static_cast<std::size_t>(stroke - 1)];
  }
  const StrokeRecord& operator[](std::int32_t stroke) const {
    return table[static_cast<std::size_t>(stroke - 1)];
  }
};

// A red mark: blue 0, green 0, red 255. The plus is the pixel and its four side neighbours;
// what falls outside the picture is left out.
void MarkRed(picture::PixelBuffer& picture, int x, int y);
void MarkRedPlus(picture::PixelBuffer& picture, int x, int y);

}  // namespace vexa::cutting
