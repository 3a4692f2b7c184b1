#pragma once
// What the outline window keeps between and during its jobs.

#include <cstdint>

namespace vexa::outline {

struct OutlineState {
  std::int32_t toolX = 1;  // the pixel the laser head is taken to stand over, counted from 1
  std::int32_t toolY = 1;
  bool fillMode = false;  // "Грав-ть всё" runs
};

}  // namespace vexa::outline
