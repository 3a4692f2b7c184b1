#include "picture/spot_diameter.h"

#include <charconv>
#include <cmath>

#include "link/nearest.h"
#include "settings/settings.h"

namespace vexa::picture {

namespace {

struct Steps {
  double step;
  double count;  // k
};

std::optional<Steps> stepsOf(std::string_view text, double xRatio) {
  const auto diameter = settings::ParseDecimal(text);
  const double step = std::fabs(xRatio);
  if (!diameter || !std::isfinite(step) || step == 0) return std::nullopt;
  const double count = link::Nearest(*diameter / step);
  if (!std::isfinite(count)) return std::nullopt;
  return Steps{step, count};
}

std::optional<std::string> formatted(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  return FormatReal(value);
}

}  // namespace

std::string FormatReal(double value) {
  // Rounded to 15 significant digits first, so 41 x 0.005 shows as 0,205 and not with the
  // binary tail 0,20500000000000002.
  char buffer[64];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 14).ptr;
  double rounded = 0;
  std::from_chars(buffer, end, rounded);
  return settings::FormatComma(rounded);
}

std::optional<std::string> SpotDiameterUp(std::string_view text, double xRatio) {
  const auto steps = stepsOf(text, xRatio);
  if (!steps) return std::nullopt;
  return formatted((steps->count + 1) * steps->step);
}

std::optional<std::string> SpotDiameterDown(std::string_view text, double xRatio) {
  const auto steps = stepsOf(text, xRatio);
  if (!steps) return std::nullopt;
  if (steps->count < 2) return formatted(steps->step);
  return formatted((steps->count - 1) * steps->step);
}

std::optional<std::string> SnapSpotDiameter(std::string_view text, double xRatio) {
  const auto steps = stepsOf(text, xRatio);
  if (!steps) return std::nullopt;
  return formatted(steps->count * steps->step);
}

}  // namespace vexa::picture
