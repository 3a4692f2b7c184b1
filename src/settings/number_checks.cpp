#include "settings/number_checks.h"

#include <cmath>
#include <limits>

#include "settings/settings.h"

namespace vexa::settings {

std::optional<double> PositiveNumber(std::string_view text) {
  const auto value = ParseDecimal(text);
  if (!value || !(*value > 0) || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::optional<double> NonNegativeNumber(std::string_view text) {
  const auto value = ParseDecimal(text);
  if (!value || !(*value >= 0) || !std::isfinite(*value)) return std::nullopt;
  return value;
}

std::optional<double> DelayNumber(std::string_view text) {
  const auto value = ParseDecimal(text);
  // Checked before rounding, so nothing between the ends of the scale can leave the range.
  if (!value || !(*value >= 0) || *value > std::numeric_limits<std::int32_t>::max()) {
    return std::nullopt;
  }
  return value;
}

}  // namespace vexa::settings
