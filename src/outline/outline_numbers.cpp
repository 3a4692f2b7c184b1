#include "outline/outline_numbers.h"

#include "link/nearest.h"
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

}  // namespace vexa::outline
