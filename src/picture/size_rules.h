#pragma once
// How the size fields of the picture windows follow the picture's proportions.

#include <optional>
#include <string>
#include <string_view>

namespace vexa::picture {

// The pattern "0.0#": one or two decimals, rounded half away from zero, decimal point.
std::string FormatOneOrTwoDecimals(double value);

// side x across / along written "0.0#", then with a decimal comma and a final ",0" removed: the
// target height from the width (across = H, along = W) or the width from the height.
std::string DerivedSideText(double side, int along, int across);

// The 0.2 mm test of the raster windows: true when `derived` and `current` differ by 0.2 or more.
// A `current` that is not a number always differs, so the field gets a usable value.
bool DiffersByTwoTenths(std::string_view derived, std::string_view current);

// The figure windows' height field: nearest(width x H) div W as an integer text; nullopt when
// W < 1 or the width is not a number.
std::optional<std::string> FigureHeightText(std::string_view widthText, int width, int height);

// RedrawPicture: the part of the view a W x H picture fills, keeping its proportions, from the
// top-left corner. Nothing when either has no area (a minimised window has a view 0 high).
struct DrawnSize {
  int width;
  int height;
};
std::optional<DrawnSize> DrawnSizeIn(int viewWidth, int viewHeight, int width, int height);

}  // namespace vexa::picture
