#pragma once
// FigureMap: the figure number of every pixel, with a frame one cell wide around the picture.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "figures/block_vector.h"

namespace vexa::figures {

// Cells (x, y) run over x = 0..width+1, y = 0..height+1; the picture's pixel (x, y) is the cell
// (x, y), the rest is the frame. A map of a picture of 0 x 0 still has its 2 x 2 frame; the map
// of no parse at all has no cells.
class FigureMap {
 public:
  FigureMap() = default;
  // A map for a `width` x `height` picture with every cell 0.
  FigureMap(int width, int height) { resize(width, height, true); }

  // Sizes the map for a `width` x `height` picture, keeping the block when the size is unchanged
  // and leaving the cells unset unless `zeroed`: a parse writes every cell anyway.
  void resize(int width, int height, bool zeroed);

  int width() const { return width_; }
  int height() const { return height_; }
  bool empty() const { return cells_.empty(); }
  int rowLength() const { return width_ + 2; }

  bool contains(int x, int y) const {
    return !cells_.empty() && x >= 0 && y >= 0 && x <= width_ + 1 && y <= height_ + 1;
  }
  std::int32_t at(int x, int y) const { return cells_[index(x, y)]; }
  std::int32_t& at(int x, int y) { return cells_[index(x, y)]; }
  // The figure at (x, y), or 0 (no figure) for a cell outside the map: for the contour tracers,
  // which look at the neighbours of a figure's edge, frame cells included.
  std::int32_t figureAt(int x, int y) const { return contains(x, y) ? at(x, y) : 0; }

  // Cell (0, y), the row's left frame cell.
  std::int32_t* row(int y) { return cells_.data() + index(0, y); }
  const std::int32_t* row(int y) const { return cells_.data() + index(0, y); }

  friend bool operator==(const FigureMap&, const FigureMap&) = default;

 private:
  std::size_t index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_ + 2) +
           static_cast<std::size_t>(x);
  }

  int width_ = 0;
  int height_ = 0;
  BlockVector<std::int32_t> cells_;
};

}  // namespace vexa::figures
