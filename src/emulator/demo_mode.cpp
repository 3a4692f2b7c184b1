#include "emulator/demo_mode.h"

#include <cmath>
#include <cstdlib>


namespace vexa::emulator {

namespace {

struct Bump {
  double xMm, yMm, radiusMm, height;
};

// Over the scanner's default 100 mm; absolute coordinates, so a walk in either direction along
// an axis meets them.
constexpr Bump kBumps[] = {
    {25, 20, 16, 140},
    {70, 55, 22, 170},
    {40, 80, 12, 110},
};
constexpr double kGround = 40;

int ReliefAt(double xMm, double yMm) {
  double height = kGround;
  for (const Bump& bump : kBumps) {
    const double dx = std::abs(xMm) - bump.xMm, dy = std::abs(yMm) - bump.yMm;
    height += bump.height * std::exp(-(dx * dx + dy * dy) / (2 * bump.radiusMm * bump.radiusMm));
  }
  return static_cast<int>(std::lround(std::min(height, 255.0)));
}

}  // namespace

std::string DemoConnectionText() {
  return "Включён демо-режим: программа работает со встроенным эмулятором контроллера, "
         "Com-порт не используется.";
}

std::unique_ptr<EmulatedPort> MakeDemoPort(const std::filesystem::path& logPath) {
  return std::make_unique<EmulatedPort>(
      ControllerBehaviour{}, EmulatorTiming{std::chrono::milliseconds(0), true, kDemoSpeedup},
      logPath);
}

ProbeRelief DemoRelief(const link::MachineSettings& machine) {
  return [&machine](std::int64_t x, std::int64_t y) {
    return ReliefAt(static_cast<double>(x) * std::abs(machine.SM_X_ratio),
                    static_cast<double>(y) * std::abs(machine.SM_Y_ratio));
  };
}

void PrepareDemo(link::MachineLink& link, EmulatedPort& port, const link::MachineSettings& machine) {
  port.setRelief(DemoRelief(machine));
  link.pace = DemoPace();
}

link::LinkPace DemoPace() {
  link::LinkPace pace;
  pace.measured = true;
  pace.roundTripMicros = 0;
  pace.latencyMicros = kDemoCommandMicros;
  pace.onTheLine = false;
  pace.firmwareSpeedup = kDemoSpeedup;
  return pace;
}

}  // namespace vexa::emulator
