#pragma once
// The checks a job makes on its fields before it starts: a field that holds no usable number is
// named in a message and nothing moves.

#include <cstdint>
#include <optional>
#include <string_view>

namespace vexa::settings {

// A decimal number (either separator) above 0 and finite: sizes, widths.
std::optional<double> PositiveNumber(std::string_view text);
// A decimal number from 0 up, finite: depths, diameters.
std::optional<double> NonNegativeNumber(std::string_view text);
// A delay or dwell: a decimal number from 0 to 2147483647, the range of a command field.
std::optional<double> DelayNumber(std::string_view text);

}  // namespace vexa::settings
