#include "raster/row_walk.h"

namespace vexa::raster {

namespace {

constexpr std::uint8_t kWhite = 255;

}  // namespace

// The head's place along the row is kept in pixel steps from the start point: a forward burn of
// column x runs from x to x + 1, a backward burn from x + 1 to x, and column edge e lies at e + 1.
// This is the run's "last column" and direction flag folded into one number: the head stands at
// last column + 1 after a forward burn and at last column after a backward one.
void WalkRows(const picture::PixelBuffer& picture, const WalkRules& rules, WalkSteps& steps) {
  const int width = picture.width();
  const int height = picture.height();
  std::int32_t head = 0;
  std::int32_t rowMoves = 0;
  int y = 1;
  auto moveDown = [&] {
    ++rowMoves;
    steps.rowMove(y);
  };

  while (y <= height) {
    const std::uint8_t* row = picture.row(y);
    for (int x = 1; x <= width; ++x) {
      const std::uint8_t level = row[(x - 1) * picture::PixelBuffer::kBytesPerPixel];
      if (level == kWhite) continue;
      if (head != x) steps.travel(x - head, x - 1);
      steps.burn(1, level, x, x, y);
      head = x + 1;
    }
    if (!(rules.doublePass && rules.doublePass())) {
      ++y;
      moveDown();
      steps.rowDone(false);
      if (y > height) break;
      row = picture.row(y);
    }
    for (int x = width; x >= 1; --x) {
      const std::uint8_t level = row[(x - 1) * picture::PixelBuffer::kBytesPerPixel];
      if (level == kWhite) continue;
      if (head != x + 1) steps.travel(x + 1 - head, x);
      steps.burn(-1, level, x - 1, x, y);
      head = x;
    }
    ++y;
    if (y <= height || rules.rowMoveAfterLastRow) moveDown();
    steps.rowDone(true);
  }
  // Every path ends on edge 0 of the first row, the same point whether the last burn ran forward
  // or backward, or nothing was burned.
  if (rules.returnToStart && rules.returnToStart()) steps.returnMove(1 - head, -rowMoves);
}

}  // namespace vexa::raster
