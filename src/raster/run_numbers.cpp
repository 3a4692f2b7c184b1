#include "raster/run_numbers.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "settings/settings.h"

namespace vexa::raster {

namespace {

std::optional<double> dwellOf(const std::string& text) {
  const auto value = settings::ParseDecimal(text);
  // Checked before rounding, so nothing between the ends of the scale can leave the range.
  if (!value || !(*value >= 0) || *value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return value;
}

std::optional<double> sizeOf(const std::string& text) {
  const auto value = settings::ParseDecimal(text);
  if (!value || !(*value > 0) || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::string dwellText(const std::string& name) {
  return "Введите в поле " + name + " число от 0 до 2147483647!";
}

}  // namespace

std::variant<RunNumbers, std::string> ReadRunNumbers(const RunNumberTexts& texts,
                                                     const DwellFieldNames& names) {
  RunNumbers numbers;
  const auto black = dwellOf(texts.blackDwell);
  if (!black) return dwellText(names.black);
  numbers.blackDwell = *black;
  numbers.whiteDwell = 0;
  if (texts.whiteDwell) {
    const auto white = dwellOf(*texts.whiteDwell);
    if (!white) return dwellText(names.white);
    numbers.whiteDwell = *white;
  }
  const auto width = sizeOf(texts.targetWidth);
  if (!width) return std::string("Введите в поле ширины число больше 0!");
  numbers.targetWidth = *width;
  const auto height = sizeOf(texts.targetHeight);
  if (!height) return std::string("Введите в поле высоты число больше 0!");
  numbers.targetHeight = *height;
  return numbers;
}

}  // namespace vexa::raster
