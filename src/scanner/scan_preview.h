#pragma once
// The scanner window's preview box: the grid of the scan in light gray, a cross for every node
// (black before the scan, the reading's gray once it is measured) and, after "Интерполировать",
// the height picture.

#include <cstdint>

#include "picture/pixel_buffer.h"
#include "scanner/height_mesh.h"

namespace vexa::scanner {

// The box is this much wider and taller than the height picture.
inline constexpr int kBoxMargin = 22;
// Box pixel (counted from 1) of grid node (1, 1) and of the height picture's pixel (0, 0).
inline constexpr int kFirstNodePixel = 10;
inline constexpr std::uint8_t kGridLineGray = 200;

// Pixels between grid nodes along a box side of `boxPixels` for `points` nodes; 0 when there is
// no step to make (fewer than 2 nodes, a box no larger than its margin).
int GridStep(int boxPixels, int points);
// Box pixel of grid column or row `index` (from 1).
inline int NodePixel(int index, int step) {
  return (index - 1) * step + kFirstNodePixel;
}

class ScanPreview {
 public:
  // The box starts at `width` x `height` pixels; it is drawn by the first DrawGrid.
  ScanPreview(int width, int height) : boxWidth_(width), boxHeight_(height) {}

  int boxWidth() const { return boxWidth_; }
  int boxHeight() const { return boxHeight_; }
  // Takes effect at the next DrawGrid, which makes the image anew at this size. Sizes outside
  // the picture limits raise std::length_error there.
  void setBoxSize(int width, int height);

  // The image the box shows (and "Сохранить в BMP" writes). It stays the same object, so a view
  // may keep a pointer to it.
  picture::PixelBuffer& image() { return image_; }
  const picture::PixelBuffer& image() const { return image_; }

  // White box, the gray grid lines of an nx x ny grid and a black cross on every node.
  void DrawGrid(int nx, int ny);
  // The five pixels of a cross at box pixel (x, y) become `gray`; those outside the box are left.
  void DrawCross(int x, int y, std::uint8_t gray);
  // The cross of node (column, row) of an nx x ny grid in the gray of `reading`; readings
  // outside 0 to 255 are drawn as 0 or 255.
  void DrawScanPoint(int column, int row, std::int32_t reading, int nx, int ny);

 private:
  int boxWidth_;
  int boxHeight_;
  picture::PixelBuffer image_;
};

}  // namespace vexa::scanner
