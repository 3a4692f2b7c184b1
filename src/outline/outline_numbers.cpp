#include "outline/outline_numbers.h"

#include "figures/field_ranges.h"
#include "link/nearest.h"
#include "link/step_count.h"
#include "settings/number_checks.h"

namespace vexa::outline {

std::variant<OutlineNumbers, std::string> ReadOutlineNumbers(const OutlineFieldTexts& texts,
                                                             bool withDelay) {
  OutlineNumbers numbers;
  const auto width = settings::PositiveNumber(texts.width);
  if (!width) return std::string("Введите в поле ширины число больше 0!");
  numbers.widthMm = *width;
  const auto diameter = settings::NonNegativeNumber(texts.diameter);
  if (!diameter) return std::string("Введите в поле диаметра пятна число не меньше 0!");
  numbers.diameterMm = *diameter;
  if (!withDelay) return numbers;
  const auto delay = settings::DelayNumber(texts.delay);
  if (!delay) return std::string("Введите в поле задержки число от 0 до 2147483647!");
  numbers.laserDelay = static_cast<std::int32_t>(link::Nearest(*delay));
  return numbers;
}

std::optional<std::string> SpotRangeProblem(const OutlineNumbers& numbers, int pictureWidth) {
  if (figures::ToolSizeFits(numbers.diameterMm, numbers.widthMm, pictureWidth)) {
    return std::nullopt;
  }
  return kSpotRangeText;
}

std::optional<std::string> OutlineRangeProblem(const OutlineNumbers& numbers, int pictureWidth,
                                               int pictureHeight,
                                               const link::MachineSettings& settings) {
  if (!link::PictureExtentFits(numbers.widthMm, pictureWidth, pictureHeight, settings)) {
    return link::kWidthRangeText;
  }
  return SpotRangeProblem(numbers, pictureWidth);
}

}  // namespace vexa::outline
