#pragma once
// What every window's motion primitives share: the link, the machine settings (read at every
// call, so a change takes effect at the next move) and the window's run check box.

#include <cstdint>
#include <functional>
#include <string>

#include "link/machine_link.h"
#include "link/machine_settings.h"

namespace vexa::link {

// Relative steps of one millimetre move.
struct AxisSteps {
  std::int32_t x = 0, y = 0, z = 0;
};

class MotionContext {
 public:
  // `runTicked` empty: the window has no run check box.
  MotionContext(MachineLink& link, const MachineSettings& settings,
                std::function<bool()> runTicked = {})
      : link_(link), settings_(settings), runTicked_(std::move(runTicked)) {}

  MachineLink& link() const { return link_; }
  const MachineSettings& settings() const { return settings_; }
  bool runTicked() const { return !runTicked_ || runTicked_(); }
  // The window's ordinary reply wait: stop test, and nothing awaited with the box unticked.
  ReplyWait jobWait() const { return ReplyWait::JobWindow(runTicked_); }
  // The same while a stop is being handled: the raised flag is what is being answered.
  ReplyWait heldWait() const {
    ReplyWait wait = jobWait();
    wait.stopTest = false;
    return wait;
  }

  // Millimetres to steps with the axis ratios.
  AxisSteps toSteps(double dx, double dy, double dz) const;

  // The Yes/No question after Stop in the laser, wood and cutting windows; true = stop.
  bool askToStop() const;

 private:
  MachineLink& link_;
  const MachineSettings& settings_;
  std::function<bool()> runTicked_;
};

// The question's text.
std::string StopQuestionText();

}  // namespace vexa::link
