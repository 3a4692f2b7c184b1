#pragma once
// The numbers a milling job takes from the window's fields, checked before anything moves.

#include <cstdint>
#include <string>
#include <variant>

namespace vexa::milling {

struct MillingFieldTexts {
  std::string width;     // Text6, mm
  std::string depth;     // Text1, mm
  std::string diameter;  // Text3, mm
  std::string delay;     // Text4, microseconds
};

struct MillingNumbers {
  double widthMm = 200;
  double depthMm = 10;
  double diameterMm = 3;
  std::int32_t plungeDelay = 4000;
};

struct CutterNumbers {
  double widthMm = 200;
  double diameterMm = 3;
};

// "Градиент" and "Отступить" need only the width and the cutter diameter.
std::variant<CutterNumbers, std::string> ReadCutterNumbers(const std::string& width,
                                                           const std::string& diameter);

// The width must be above 0 (it divides the cutter's size and every step), the depth and the
// diameter 0 or more, the delay 0 to 2147483647 (rounded to whole microseconds). The first field
// that fails gives the message naming it.
std::variant<MillingNumbers, std::string> ReadMillingNumbers(const MillingFieldTexts& texts);

}  // namespace vexa::milling
