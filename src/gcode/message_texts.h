#pragma once
// Pieces the reader's and the translation's messages share.

#include <cstdint>
#include <string>

#include "gcode/gcode_program.h"

namespace vexa::gcode {

// A number as the user reads it: at most `decimals` decimals, rounded, a decimal comma, no
// trailing zeros: 1.5 -> "1,5".
std::string NumberText(double value, int decimals);

// What line `line` of the file cannot do: "Строка 7: " + `what`.
GcodeError LineError(std::uint32_t line, const std::string& what);

}  // namespace vexa::gcode
