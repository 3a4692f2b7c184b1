#pragma once
// The width and height fields of the figure windows keep the picture's proportions in whole
// millimetres: leaving "Ширина:" sets "Высота:" and the other way round.

#include <optional>
#include <string>
#include <string_view>

namespace vexa::figures {

// nearest(side × along) divided by `across` with the remainder dropped, as an integer text:
// the height from the width is AspectSide(width, H, W). Nothing (nullopt) when `across` is below
// 1, the text is not a number, or the result would not fit a 32-bit field.
std::optional<std::string> AspectSide(std::string_view sideText, int along, int across);

}  // namespace vexa::figures
