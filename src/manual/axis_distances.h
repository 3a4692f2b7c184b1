#pragma once
// The three distance fields of a manual move, checked in the order X, Y, Z.

#include <optional>
#include <string>

#include "link/prompts.h"

namespace vexa::manual {

struct AxisDistances {
  double x = 0, y = 0, z = 0;  // millimetres
};

// The numbers in the three fields; the first field that is not a number is reported (caption
// "Ошибка", one message naming its axis) and gives nullopt.
std::optional<AxisDistances> ReadAxisDistances(const std::string& x, const std::string& y,
                                               const std::string& z, link::Prompts& prompts);

}  // namespace vexa::manual
