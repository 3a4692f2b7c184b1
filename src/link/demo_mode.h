#pragma once
// Demo mode: the application drives the emulated controller inside the process (EmulatedPort)
// instead of a serial port, so every window and job can be tried without a machine.

#include <memory>
#include <string>

#include "link/emulated_port.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"

namespace vexa::link {

// Moves take the firmware's time divided by this: an engraving of hours is watched in minutes.
inline constexpr int kDemoSpeedup = 1000;

// The status line's text where a real port shows "Com-порт открыт".
std::string DemoStatusText(int speedup);
// What the settings window's connection check says instead of opening a port.
std::string DemoConnectionText();

// Demo mode's port: answers at once except for paced moves, at kDemoSpeedup; with `logPath`
// it logs the commands (throws when that file cannot be opened).
std::unique_ptr<EmulatedPort> MakeDemoPort(const std::filesystem::path& logPath = {});

// A smooth relief of a few bumps laid out in millimetres over the scanner's default area,
// through the machine's millimetres per step as they are at each reading.
ProbeRelief DemoRelief(const MachineSettings& machine);

// The link's pace in demo mode, for the jobs' estimates: no line and no latency (the
// controller is in the process), moves at kDemoSpeedup.
LinkPace DemoPace();

// Once the machine settings are loaded: the probe reads DemoRelief, the estimates DemoPace.
// `machine` must outlive the port.
void PrepareDemo(MachineLink& link, EmulatedPort& port, const MachineSettings& machine);

// The text of an open link's status line: "Com-порт открыт", or the demo text.
std::string OpenStatusText(const MachineLink& link);

}  // namespace vexa::link
