#pragma once
// "Проверить" in the About window: waits up to 5 seconds for the server's version and counts
// the seconds down on the button.

#include <cstdint>
#include <functional>
#include <string>

#include "link/event_pump.h"
#include "link/wall_clock.h"

namespace vexa::app {

inline constexpr int kCheckWaitSeconds = 5;
inline constexpr const char* kCheckCaption = "Проверить";

// "Проверка " + (5 - whole seconds passed): "Проверка 5" down to "Проверка 1".
std::string CheckCountdownCaption(std::int64_t secondsPassed);

// While `finished()` is false and fewer than 5 whole seconds (second boundaries) have passed:
// shows the countdown through `showCaption` (only when it changes) and lets the user interface
// process events. Returns with the caption set back to "Проверить".
void RunCheckCountdown(const link::WholeSecondsClock& clock, link::EventPump& pump,
                       const std::function<bool()>& finished,
                       const std::function<void(const std::string&)>& showCaption);

}  // namespace vexa::app
