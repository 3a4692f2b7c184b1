#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

namespace vexa::link {

// Whole seconds of the wall clock. Time limits count second boundaries passed since the start,
// so "more than 1" ends after 1 to 2 real seconds.
using WholeSecondsClock = std::function<std::int64_t()>;

inline std::int64_t SystemWholeSeconds() {
  using namespace std::chrono;
  return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

}  // namespace vexa::link
