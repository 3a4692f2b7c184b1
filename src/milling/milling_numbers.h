#pragma once
// The numbers a milling job takes from the window's fields, checked before anything moves.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "link/machine_settings.h"

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

inline constexpr const char* kCutterRangeText =
    "Диаметр фрезы слишком велик для этой ширины изображения.\r\n"
    "Введите в поле диаметра фрезы меньшее число или в поле ширины большее!";
inline constexpr const char* kDepthRangeText =
    "Глубина выходит за допустимый диапазон шагов двигателя.\r\n"
    "Введите в поле глубины меньшее число или проверьте настройки станка!";

// The cutter on a picture `pictureWidth` pixels wide: its size in pixels must fit an int. The
// message naming the field, or nullopt.
std::optional<std::string> CutterRangeProblem(const CutterNumbers& numbers, int pictureWidth);

// The whole job's range, known before its first command: the cutter as above, the picture's
// extent and the full depth in motor steps within the signed 32-bit range of the firmware.
std::optional<std::string> MillingRangeProblem(const MillingNumbers& numbers, int pictureWidth,
                                               int pictureHeight,
                                               const link::MachineSettings& settings);

}  // namespace vexa::milling
