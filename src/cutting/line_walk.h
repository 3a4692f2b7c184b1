#pragma once
// The two walks along a line of pixels that finding and cutting strokes share. Both search the
// eight neighbours clockwise from a quarter turn left of the last step; pixels outside the
// picture are never on the line.

#include <cstdint>
#include <vector>

#include "cutting/strokes.h"
#include "figures/direction.h"

namespace vexa::cutting {

// Which pixels one end search has stood on.
class VisitedPixels {
 public:
  VisitedPixels(int width, int height)
      : width_(width),
        bits_((static_cast<std::size_t>(width) * static_cast<std::size_t>(height) + 63) / 64, 0) {}

  // False when `pixel` was visited already in this search.
  bool visit(Pixel pixel) {
    const std::size_t index = static_cast<std::size_t>(pixel.y - 1) * width_ + (pixel.x - 1);
    std::uint64_t& word = bits_[index / 64];
    const std::uint64_t bit = std::uint64_t{1} << (index % 64);
    if ((word & bit) != 0) return false;
    word |= bit;
    set_.push_back(index / 64);
    return true;
  }
  // Forgets the search (only the words it touched).
  void clear() {
    for (std::size_t word : set_) bits_[word] = 0;
    set_.clear();
  }

 private:
  std::size_t width_;
  std::vector<std::uint64_t> bits_;
  std::vector<std::size_t> set_;
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
// back beside the seed, which is returned unchanged; so is it when the walk stands on a pixel a
// second time (a thick blob would lead it round for ever). `onLine(x, y)` must be false outside
// the picture; `tick()` runs after every step.
template <typename OnLine, typename Tick>
Pixel FindLineEnd(Pixel seed, OnLine&& onLine, VisitedPixels& visited, Tick&& tick) {
  Pixel current = seed;
  Pixel end = seed;
  figures::Direction direction{1, 0};
  visited.visit(seed);
  for (;;) {
    if (SearchNeighbour(current, direction, onLine) >= 6) {
      end = current;
      break;
    }
    const Pixel next{current.x + direction.dx, current.y + direction.dy};
    if (next == seed || !visited.visit(next)) break;
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
