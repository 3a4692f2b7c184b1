#pragma once

#include <cmath>

namespace vexa::link {

// x rounded to the nearest integer, ties to the even one: every conversion of a real number to
// an integer in the application uses it.
inline double Nearest(double x) {
  return std::nearbyint(x);
}

}  // namespace vexa::link
