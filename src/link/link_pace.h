#pragma once
// The connection check's measurement of the link: the round trip of a few commands that move
// nothing, which the firmware answers with "T" at once. The result goes into MachineLink::pace,
// which the jobs' time estimates read.

#include <cstdint>
#include <optional>
#include <string>

#include "link/job_progress.h"
#include "link/machine_link.h"

namespace vexa::link {

inline constexpr int kPaceProbes = 5;

// The command measured for a firmware tag: a relative move of zero steps in the layout that
// firmware takes from the jobs, so nothing turns and no tool switches on:
//   "MT"                    0,0,0,0;  (X,Y,Z,W: no steps on any axis, no delay)
//   "PT", "BT", "ST", "OT"  0,0,0;    (X,Y,R of the raster and wood firmwares, laser off and no
//                                      steps; X,Y,Z of the scanner and outline firmwares'
//                                      millimetre moves; the scanner's probe is 0,0,S; with S
//                                      above 0, so this is not one)
// Any other tag: "V;", the version query, which every firmware answers and which moves nothing.
std::string PaceProbe(const std::string& tag);

// Sends the probe for `tag` `count` times, each after the last one's reply, and returns the
// middle round trip in microseconds; nullopt when a reply does not come within a second (the
// measurement then stops). The replies are read here: nothing else reads meanwhile.
std::optional<double> MeasureRoundTrip(MachineLink& link, const std::string& tag,
                                       int count = kPaceProbes,
                                       const SteadyNanos& clock = SystemSteadyNanos);

// Measures and, when it succeeds, keeps the result in link.pace for the present speed.
std::optional<double> MeasureLinkPace(MachineLink& link, const std::string& tag);

// "Отклик: 1,2 мс" (two decimals below a millisecond).
std::string RoundTripText(double micros);

}  // namespace vexa::link
