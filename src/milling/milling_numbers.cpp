#include "milling/milling_numbers.h"

#include "link/nearest.h"
#include "settings/number_checks.h"

namespace vexa::milling {

std::variant<MillingNumbers, std::string> ReadMillingNumbers(const MillingFieldTexts& texts) {
  MillingNumbers numbers;
  const auto width = settings::PositiveNumber(texts.width);
  if (!width) return std::string("Введите в поле ширины число больше 0!");
  numbers.widthMm = *width;
  const auto depth = settings::NonNegativeNumber(texts.depth);
  if (!depth) return std::string("Введите в поле глубины число не меньше 0!");
  numbers.depthMm = *depth;
  const auto diameter = settings::NonNegativeNumber(texts.diameter);
  if (!diameter) return std::string("Введите в поле диаметра фрезы число не меньше 0!");
  numbers.diameterMm = *diameter;
  const auto delay = settings::DelayNumber(texts.delay);
  if (!delay) return std::string("Введите в поле задержки число от 0 до 2147483647!");
  numbers.plungeDelay = static_cast<std::int32_t>(link::Nearest(*delay));
  return numbers;
}

}  // namespace vexa::milling
