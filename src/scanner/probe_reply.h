#pragma once
// The probe's answer: decimal digits followed by "OK".

#include <cstdint>
#include <string>

#include "link/machine_link.h"

namespace vexa::scanner {

// The reading in a complete reply: CR LF pairs deleted, the last two characters (the "OK")
// dropped, and the digits that remain read from left to right; every other character is
// skipped. A reading beyond 32 bits stays at the largest 32-bit number.
std::int32_t ProbeReading(const std::string& reply);

// Empties `buffer` and collects the controller's answer in it until it holds "OK", letting the
// user interface work between reads; returns its reading and leaves the buffer empty. A failed
// read shows its message and raises the link abort, and so does a Stop pressed (or the window
// closed) while no answer comes: a probe that never answers must not hold the window forever.
std::int32_t WaitProbeReading(link::MachineLink& link, link::ReplyBuffer& buffer);

// Ends the scan while a reading is owed: the reading, when it comes, is swallowed.
[[noreturn]] void StopWaitingForReading(link::MachineLink& link, link::ReplyBuffer& buffer);

}  // namespace vexa::scanner
