#include "picture/size_rules.h"

#include <cmath>
#include <cstdint>

#include "link/nearest.h"
#include "settings/settings.h"

namespace vexa::picture {

std::string FormatOneOrTwoDecimals(double value) {
  std::string text = settings::FormatDot(value);
  if (text.find('.') == std::string::npos) text += ".0";
  return text;
}

std::string DerivedSideText(double side, int along, int across) {
  return settings::FormatComma(FormatOneOrTwoDecimals(side * across / along));
}

bool DiffersByTwoTenths(std::string_view derived, std::string_view current) {
  // The texts are decimal; 0.3 - 0.1 must count as 0.2 despite binary rounding.
  constexpr double kSlack = 1e-9;
  const auto a = settings::ParseDecimal(derived);
  const auto b = settings::ParseDecimal(current);
  if (!a || !b) return true;
  return std::fabs(*a - *b) >= 0.2 - kSlack;
}

std::optional<std::string> FigureHeightText(std::string_view widthText, int width, int height) {
  const auto mm = settings::ParseDecimal(widthText);
  if (width < 1 || !mm) return std::nullopt;
  const double product = link::Nearest(*mm * height);
  if (!std::isfinite(product) || std::fabs(product) > 1e15) return std::nullopt;
  return std::to_string(static_cast<std::int64_t>(product) / width);
}

std::optional<DrawnSize> DrawnSizeIn(int viewWidth, int viewHeight, int width, int height) {
  if (viewWidth < 1 || viewHeight < 1 || width < 1 || height < 1) return std::nullopt;
  // view width / view height >= W / H, without the division
  if (static_cast<std::int64_t>(viewWidth) * height >=
      static_cast<std::int64_t>(width) * viewHeight) {
    return DrawnSize{
        static_cast<int>(link::Nearest(static_cast<double>(viewHeight) * width / height)),
        viewHeight};
  }
  return DrawnSize{
      viewWidth, static_cast<int>(link::Nearest(static_cast<double>(viewWidth) * height / width))};
}

}  // namespace vexa::picture
