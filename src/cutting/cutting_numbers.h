#pragma once
// The numbers "Резать" takes from the window's fields, checked before anything moves.

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

#include "link/machine_settings.h"

namespace vexa::cutting {

struct CuttingNumbers {
  double widthMm = 200;           // Text6: sets the millimetres per pixel of every move
  std::int32_t stepDelay = 1000;  // Text4: the delay field of each stroke's laser-on command
};

// The width must be above 0 (it divides into every step), the delay 0 to 2147483647 (rounded to
// whole microseconds). The first field that fails gives the message naming it.
std::variant<CuttingNumbers, std::string> ReadCuttingNumbers(const std::string& width,
                                                             const std::string& delay);

// The whole job's range, known before its first command: the picture's extent at the width in
// motor steps within the signed 32-bit range of the firmware. The message naming the field, or
// nullopt.
std::optional<std::string> CuttingRangeProblem(const CuttingNumbers& numbers, int pictureWidth,
                                               int pictureHeight,
                                               const link::MachineSettings& settings);

}  // namespace vexa::cutting
