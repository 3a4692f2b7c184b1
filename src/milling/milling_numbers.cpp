#include "milling/milling_numbers.h"

#include <cmath>

#include "figures/field_ranges.h"
#include "link/nearest.h"
#include "link/step_count.h"
#include "settings/number_checks.h"

namespace vexa::milling {

namespace {

constexpr const char* kWidthText = "Введите в поле ширины число больше 0!";
constexpr const char* kDiameterText = "Введите в поле диаметра фрезы число не меньше 0!";

}  // namespace

std::variant<CutterNumbers, std::string> ReadCutterNumbers(const std::string& width,
                                                           const std::string& diameter) {
  const auto widthMm = settings::PositiveNumber(width);
  if (!widthMm) return std::string(kWidthText);
  const auto diameterMm = settings::NonNegativeNumber(diameter);
  if (!diameterMm) return std::string(kDiameterText);
  return CutterNumbers{*widthMm, *diameterMm};
}

std::variant<MillingNumbers, std::string> ReadMillingNumbers(const MillingFieldTexts& texts) {
  MillingNumbers numbers;
  const auto width = settings::PositiveNumber(texts.width);
  if (!width) return std::string(kWidthText);
  numbers.widthMm = *width;
  const auto depth = settings::NonNegativeNumber(texts.depth);
  if (!depth) return std::string("Введите в поле глубины число не меньше 0!");
  numbers.depthMm = *depth;
  const auto diameter = settings::NonNegativeNumber(texts.diameter);
  if (!diameter) return std::string(kDiameterText);
  numbers.diameterMm = *diameter;
  const auto delay = settings::DelayNumber(texts.delay);
  if (!delay) return std::string("Введите в поле задержки число от 0 до 2147483647!");
  numbers.plungeDelay = static_cast<std::int32_t>(link::Nearest(*delay));
  return numbers;
}

std::optional<std::string> CutterRangeProblem(const CutterNumbers& numbers, int pictureWidth) {
  if (!figures::ToolSizeFits(numbers.diameterMm, numbers.widthMm, pictureWidth)) {
    return kCutterRangeText;
  }
  return std::nullopt;
}

std::optional<std::string> MillingRangeProblem(const MillingNumbers& numbers, int pictureWidth,
                                               int pictureHeight,
                                               const link::MachineSettings& settings) {
  if (!link::PictureExtentFits(numbers.widthMm, pictureWidth, pictureHeight, settings)) {
    return link::kWidthRangeText;
  }
  if (!link::FitsStepRange(numbers.depthMm / std::abs(settings.SM_Z_ratio))) {
    return kDepthRangeText;
  }
  return CutterRangeProblem({numbers.widthMm, numbers.diameterMm}, pictureWidth);
}

}  // namespace vexa::milling
