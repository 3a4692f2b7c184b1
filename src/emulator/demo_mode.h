#pragma once
// Demo mode: the application drives the emulated controller inside the process (EmulatedPort)
// instead of a serial port, so every window and job can be tried without a machine.

#include <memory>
#include <string>

#include "emulator/emulated_port.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"

namespace vexa::emulator {

// Moves take the firmware's time divided by this: an engraving of hours is watched in minutes.
inline constexpr int kDemoSpeedup = 1000;

// What the settings window's connection check says instead of opening a port.
std::string DemoConnectionText();

// Demo mode's port: answers at once except for paced moves, at kDemoSpeedup; with `logPath`
// it logs the commands (throws when that file cannot be opened).
std::unique_ptr<EmulatedPort> MakeDemoPort(const std::filesystem::path& logPath = {});

// A smooth relief of a few bumps laid out in millimetres over the scanner's default area,
// through the machine's millimetres per step as they are at each reading.
ProbeRelief DemoRelief(const link::MachineSettings& machine);

// What one command costs the program itself in demo mode, in microseconds: building and
// writing it, the emulated controller, the reply wait, the job's drawing and progress.
// Measured with bench/demo_pace_bench, instant:1 (the laser window's job on its default
// picture with every move answered at once): 750 745 commands in 1,02 s on the 2-core machine.
// Paced (instant:0), the same job took 46,0 s against 45,8 s of sped-up moves and an estimate
// of 46 s: one command ahead, the program's time hides behind the moves.
inline constexpr double kDemoCommandMicros = 1.4;

// The link's pace in demo mode, for the jobs' estimates: no line (the controller is in the
// process), the program's own time per command as latency, moves at kDemoSpeedup.
link::LinkPace DemoPace();

// Once the machine settings are loaded: the probe reads DemoRelief, the estimates DemoPace.
// `machine` must outlive the port.
void PrepareDemo(link::MachineLink& link, EmulatedPort& port, const link::MachineSettings& machine);

}  // namespace vexa::emulator
