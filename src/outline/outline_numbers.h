#pragma once
// The numbers an outline job takes from the window's fields, checked before anything moves.

#include <cstdint>
#include <string>
#include <variant>

namespace vexa::outline {

struct OutlineFieldTexts {
  std::string width;     // Text6, mm
  std::string diameter;  // Text3, mm: the laser spot
  std::string delay;     // Text4, microseconds
};

struct OutlineNumbers {
  double widthMm = 200;
  double diameterMm = 2;
  std::int32_t laserDelay = 1000;
};

// The width above 0, the spot diameter 0 or more, the delay 0 to 2147483647 (rounded to whole
// microseconds); the first field that fails gives the message naming it. "Градиент" and
// "Отступить" check only the width and the diameter (`withDelay` false).
std::variant<OutlineNumbers, std::string> ReadOutlineNumbers(const OutlineFieldTexts& texts,
                                                             bool withDelay = true);

}  // namespace vexa::outline
