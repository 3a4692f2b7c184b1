#pragma once

namespace vexa::link {

// Global machine settings, loaded at start-up and replaced by the settings window. Step moves
// read them at every call, so a change during a job takes effect at the next move.
struct MachineSettings {
  double SM_X_ratio = 0.005;  // millimetres per motor step; the sign sets the axis direction
  double SM_Y_ratio = 0.005;
  double SM_Z_ratio = 0.005;
  int SM_delay = 2000;  // travel delay between steps, microseconds
  int SM_optim = 0;     // 1: travel moves run one command ahead of the controller
};

}  // namespace vexa::link
