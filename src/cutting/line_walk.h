#pragma once
// The two walks along a line of pixels that finding and cutting strokes share. Both search the
// eight neighbours clockwise from a quarter turn left of the last step; pixels outside the
// picture are never on the line.

#include <cstdint>
#include <vector>

#include "cutting/strokes.h"
#include "figures/direction.h"

namespace vexa::cutting {

// Which (pixel, heading) states one end search has passed through: one bit per direction in a
// byte per pixel, so the search's own rules may lead it over a pixel more than once.
class VisitedStates {
 public:
  VisitedStates(int width, int height)
      : width_(static_cast<std::size_t>(width)),
        states_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0) {}

  // False when the search stood on `pixel` heading `direction` before.
  bool visit(Pixel pixel, figures::Direction direction) {
    const std::size_t index = static_cast<std::size_t>(pixel.y - 1) * width_ + (pixel.x - 1);
    // (dx, dy) as 0..8 without the centre 4: one of eight bits.
    const int place = (direction.dy + 1) * 3 + (direction.dx + 1);
    const auto bit = static_cast<std::uint8_t>(1u << (place > 4 ? place - 1 : place));
    std::uint8_t& state = states_[index];
    if ((state & bit) != 0) return false;
    if (state == 0) touched_.push_back(index);
    state |= bit;
    return true;
  }
  // Forgets the search (only the pixels it touched).
  void clear() {
    for (std::size_t index : touched_) states_[index] = 0;
    touched_.clear();
  }

 private:
  std::size_t width_;
  std::vector<std::uint8_t> states_;
  std::vector<std::size_t> touched_;
};

// A quarter turn left of `direction`, then clockwise until the neighbour of `at` that way is on
// the line; the turns made, 8 when none is.
template <typename OnLine>
int SearchNeighbour(Pixel at, figures::Direction& direction, OnLine&& onLine) {
  figures::TurnCounterClockwise(direction);
  int turns = 0;
  for (; turns < 8 && !onLine(at.x + direction.dx, at.y + direction.dy); ++turns) {
    figures::TurnClockwise(direction);
  }
  return turns;
}

// From `seed`, heading right, walks along the line to an end: a pixel whose only line
// neighbours lie behind it (6 or more turns), which is returned. A closed line brings the walk
// back beside the seed, which is returned unchanged. Where it stands and where it heads decide
// the walk: a state met again would repeat for ever (a thick blob leads it round), so that too
// ends the search with the seed. `onLine(x, y)` must be false outside the picture; `tick()` runs
// after every step.
template <typename OnLine, typename Tick>
Pixel FindLineEnd(Pixel seed, OnLine&& onLine, VisitedStates& visited, Tick&& tick) {
  Pixel current = seed;
  Pixel end = seed;
  figures::Direction direction{1, 0};
  while (visited.visit(current, direction)) {
    if (SearchNeighbour(current, direction, onLine) >= 6) {
      end = current;
      break;
    }
    const Pixel next{current.x + direction.dx, current.y + direction.dy};
    if (next == seed) break;
    current = next;
    tick();
    figures::TurnCounterClockwise(direction);
  }
  visited.clear();
  return end;
}

// From `start`, heading right, steps from line pixel to line pixel until no neighbour is on the
// line (8 turns) and returns where it stopped. `step(direction, pixel)` runs after every step and
// must take the pixel off the line, which is what ends the walk.
template <typename OnLine, typename Step>
Pixel FollowLine(Pixel start, OnLine&& onLine, Step&& step) {
  Pixel position = start;
  figures::Direction direction{1, 0};
  for (;;) {
    if (SearchNeighbour(position, direction, onLine) == 8) return position;
    position.x += direction.dx;
    position.y += direction.dy;
    step(direction, position);
    figures::TurnCounterClockwise(direction);
  }
}

}  // namespace vexa::cutting
