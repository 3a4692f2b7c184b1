#pragma once
// Whether a line cut during a job has come back, for a window that would go on with the job.

#include <cstdint>
#include <string>

#include "link/machine_link.h"

namespace vexa::link {

enum class LinkBack {
  Waiting,     // not yet
  GateNeeded,  // the lost port has just been opened again here: the window checks its firmware
  Back,        // opened again since the cut, and a version query on it answered `tag`
};

// Tries to open a lost port again (quietly, as a window's opening does). `cutAt` is
// MachineLink::openings() when the line was cut.
LinkBack CheckLinkBack(MachineLink& link, std::uint64_t cutAt, const std::string& tag);

}  // namespace vexa::link
