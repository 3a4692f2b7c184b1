#pragma once
// The numbers an outline job takes from the window's fields, checked before anything moves.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "link/machine_settings.h"

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

inline constexpr const char* kSpotRangeText =
    "Диаметр пятна слишком велик для этой ширины изображения.\r\n"
    "Введите в поле диаметра пятна меньшее число или в поле ширины большее!";

// The spot on a picture `pictureWidth` pixels wide: its size in pixels must fit an int. The
// message naming the field, or nullopt. "Отступить" checks only this.
std::optional<std::string> SpotRangeProblem(const OutlineNumbers& numbers, int pictureWidth);

// The whole job's range, known before its first command: the picture's extent at the width in
// motor steps within the signed 32-bit range of the firmware, then the spot as above.
std::optional<std::string> OutlineRangeProblem(const OutlineNumbers& numbers, int pictureWidth,
                                               int pictureHeight,
                                               const link::MachineSettings& settings);

}  // namespace vexa::outline
