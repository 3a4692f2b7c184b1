#pragma once
// The spot-diameter field of the raster windows must hold a whole number of X motor steps
// (its tooltip: "Должен быть кратен перемещению на 1 шаг ШД").

#include <optional>
#include <string>
#include <string_view>

namespace vexa::picture {

// A real as the field shows it: at most 15 significant digits, decimal comma, no exponent.
std::string FormatReal(double value);

// The step is |SM_X_ratio|: the ratio's sign only sets the axis direction, and a negative step
// would turn the arrows round and make the diameter negative. Each gives nullopt when the text is
// not a number or the step is 0 (the field is then left alone, or reset by the caller).

// Up arrow: (k + 1) steps, k = nearest(diameter / step).
std::optional<std::string> SpotDiameterUp(std::string_view text, double xRatio);
// Down arrow: (k - 1) steps, but never less than one step.
std::optional<std::string> SpotDiameterDown(std::string_view text, double xRatio);
// Leaving the field: k steps.
std::optional<std::string> SnapSpotDiameter(std::string_view text, double xRatio);

}  // namespace vexa::picture
