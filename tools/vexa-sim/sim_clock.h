#pragma once

#include <chrono>

namespace vexa::sim {

using SimClock = std::chrono::steady_clock;
using TimePoint = SimClock::time_point;

}  // namespace vexa::sim
