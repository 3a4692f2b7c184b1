#pragma once
// The numbers a scan takes from the window's fields, checked before anything moves.

#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "link/machine_settings.h"

namespace vexa::scanner {

inline constexpr const char* kMeshCaption = "Zuridid IRA";
inline constexpr const char* kOddMeshWidthText = "Размер сетки по X должен быть кратным 4";
inline constexpr const char* kEvenMeshHeightText = "Размер сетки по Y должен быть нечетным";
// The mesh fields take three digits; the walk needs two columns, and a larger mesh than the
// fields can hold (a hand-edited cnc.ini) would only exhaust the memory.
inline constexpr int kMaxMeshPoints = 999;
inline constexpr const char* kMeshWidthRangeText =
    "Размер сетки по X должен быть от 2 до 999 точек";
inline constexpr const char* kMeshHeightRangeText =
    "Размер сетки по Y должен быть от 1 до 999 точек";
inline constexpr const char* kAreaWidthText =
    "Введите в поле области сканирования по X число больше 0!";
inline constexpr const char* kAreaHeightText =
    "Введите в поле области сканирования по Y число больше 0!";
inline constexpr const char* kAreaWidthRangeText =
    "Шаг сетки по X выходит за допустимый диапазон шагов двигателя.\r\n"
    "Введите в поле области сканирования по X меньшее число или проверьте настройки станка!";
inline constexpr const char* kAreaHeightRangeText =
    "Шаг сетки по Y выходит за допустимый диапазон шагов двигателя.\r\n"
    "Введите в поле области сканирования по Y меньшее число или проверьте настройки станка!";

struct ScanFieldTexts {
  std::string meshWidth;   // Text3
  std::string meshHeight;  // Text4
  std::string areaWidth;   // Text8, mm
  std::string areaHeight;  // Text9, mm
};

struct ScanNumbers {
  int nx = 6;
  int ny = 5;
  double areaWidth = 100;  // mm from the first to the last grid column
  double areaHeight = 100;
};

struct ScanProblem {
  std::string caption;
  std::string text;
};

// The number of grid points a mesh field shows in the preview: 0 when it holds no number, at
// most kMaxMeshPoints.
int GridPointsOf(std::string_view text);

// The odd width and the even height are refused first, with their own messages; then sizes
// outside the range, and areas that are not a number above 0 (the height only where there is
// more than one row to step between).
std::variant<ScanNumbers, ScanProblem> ReadScanNumbers(const ScanFieldTexts& texts);

// With the machine settings: each grid step in motor steps within the signed 32-bit range the
// firmware takes (a scan's moves are single grid steps), checked before the first command.
std::optional<ScanProblem> ScanRangeProblem(const ScanNumbers& numbers,
                                            const link::MachineSettings& settings);

}  // namespace vexa::scanner
