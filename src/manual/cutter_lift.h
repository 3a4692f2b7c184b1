#pragma once
// "Поднять" / "Опустить" of the pause dialog: move the cutter along Z only, outside the
// paused job's bookkeeping.

#include <string>

#include "link/machine_link.h"
#include "link/machine_settings.h"

namespace vexa::manual {

// Raises (or lowers) the cutter by the depth in millimetres: 0,0,Z,D; then waits for its reply
// without the stop test (Stop is pending while the job is paused). A depth that rounds to no
// step sends nothing. A depth that is not a number is reported and sends nothing.
void LiftCutter(link::MachineLink& link, const link::MachineSettings& settings,
                link::ReplyBuffer& replyBuffer, const std::string& depthText, bool lower);

// The message for a depth that is not a number.
inline constexpr const char* kDepthNotNumberText = "Введите число в поле глубины!";

}  // namespace vexa::manual
