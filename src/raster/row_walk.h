#pragma once
// The path of the raster runs (laser, impact head, hot wire): rows in alternating directions, one
// one-pixel burn per non-white pixel, one travel move to reach the next non-white pixel, a row
// move between rows. The walk only plans; its steps are carried out by the run.

#include <cstdint>
#include <functional>

#include "picture/pixel_buffer.h"

namespace vexa::raster {

// Column edges count the boundaries between pixel columns: column x spans the edges x - 1 to x.
class WalkSteps {
 public:
  virtual ~WalkSteps() = default;
  // dx pixels along the row with the tool off; the head then stands at column edge `edge`.
  virtual void travel(std::int32_t dx, std::int32_t edge) = 0;
  // Pixel (x, y) of gray `level` burned by a one-pixel move dx (1 forward, -1 backward); the head
  // then stands at column edge `edge`.
  virtual void burn(std::int32_t dx, std::uint8_t level, std::int32_t edge, int x, int y) = 0;
  // One row down; `row` is the row the head now stands over (H + 1 below the last one).
  virtual void rowMove(int row) = 0;
  // A row is finished, with its row move if it gets one. `backward`: it was the backward row
  // (or the double pass) that ends a row pair.
  virtual void rowDone(bool backward) = 0;
  // Back to the first column edge of the first row.
  virtual void returnMove(std::int32_t dx, std::int32_t dy) = 0;
};

struct WalkRules {
  // Read after every forward row: burn the same row backward before moving down, so each
  // non-white pixel is burned twice. Empty: never (wood burning).
  std::function<bool()> doublePass;
  // Wood burning moves down after every row; the laser run not after a backward row that ends
  // the picture (its last forward row is followed by one, as after every forward row).
  bool rowMoveAfterLastRow = false;
  // Read at the end: make the return move.
  std::function<bool()> returnToStart;
};

// Walks `picture` (its blue bytes; 255 is white) from its top-left pixel.
void WalkRows(const picture::PixelBuffer& picture, const WalkRules& rules, WalkSteps& steps);

}  // namespace vexa::raster
