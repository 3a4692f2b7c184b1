#pragma once
// The eight directions of the contour tracers (milling, outline engraving, cutting), in screen
// coordinates: x to the right, y downward.

namespace vexa::figures {

struct Direction {
  int dx = 0;
  int dy = 0;

  bool diagonal() const { return dx != 0 && dy != 0; }
  friend bool operator==(const Direction&, const Direction&) = default;
};

// One place forward in the clockwise cycle (1, 0) -> (1, 1) -> (0, 1) -> (-1, 1) -> (-1, 0) ->
// (-1, -1) -> (0, -1) -> (1, -1) -> (1, 0); (0, 0) stays (0, 0).
void TurnClockwise(Direction& direction);
// One place back in the same cycle.
void TurnCounterClockwise(Direction& direction);

}  // namespace vexa::figures
