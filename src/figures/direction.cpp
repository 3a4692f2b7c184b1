#include "figures/direction.h"

#include <array>

namespace vexa::figures {

namespace {

constexpr std::array<Direction, 8> kClockwise = {{
    {1, 0},
    {1, 1},
    {0, 1},
    {-1, 1},
    {-1, 0},
    {-1, -1},
    {0, -1},
    {1, -1},
}};

void turn(Direction& direction, int places) {
  for (std::size_t i = 0; i < kClockwise.size(); ++i) {
    if (kClockwise[i] == direction) {
      direction = kClockwise[(i + kClockwise.size() + places) % kClockwise.size()];
      return;
    }
  }
  // (0, 0), and anything that is not one of the eight, stays as it is.
}

}  // namespace

void TurnClockwise(Direction& direction) {
  turn(direction, 1);
}

void TurnCounterClockwise(Direction& direction) {
  turn(direction, -1);
}

}  // namespace vexa::figures
