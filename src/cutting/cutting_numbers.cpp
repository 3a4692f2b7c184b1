#include "cutting/cutting_numbers.h"

#include "link/nearest.h"
#include "link/step_count.h"
#include "settings/number_checks.h"

namespace vexa::cutting {

std::variant<CuttingNumbers, std::string> ReadCuttingNumbers(const std::string& width,
                                                             const std::string& delay) {
  CuttingNumbers numbers;
  const auto widthMm = settings::PositiveNumber(width);
  if (!widthMm) return std::string("Введите в поле ширины число больше 0!");
  numbers.widthMm = *widthMm;
  const auto microseconds = settings::DelayNumber(delay);
  if (!microseconds) return std::string("Введите в поле задержки число от 0 до 2147483647!");
  numbers.stepDelay = static_cast<std::int32_t>(link::Nearest(*microseconds));
  return numbers;
}

std::optional<std::string> CuttingRangeProblem(const CuttingNumbers& numbers, int pictureWidth,
                                               int pictureHeight,
                                               const link::MachineSettings& settings) {
  if (link::PictureExtentFits(numbers.widthMm, pictureWidth, pictureHeight, settings)) {
    return std::nullopt;
  }
  return link::kWidthRangeText;
}

}  // namespace vexa::cutting
