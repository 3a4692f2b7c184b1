#pragma once
// The firmware ends a command that comes without ";" (the laser switches around the stop
// question) once the line has been idle this long.

#include <chrono>

namespace vexa::link {

inline constexpr std::chrono::milliseconds kFirmwareIdleGap{30};

}  // namespace vexa::link
