#pragma once
// How a job's G-code is written: the form, the calibration that turns steps into millimetres,
// and the standard form's laser power scale and safe height.

#include <cstdint>
#include <string>

#include "link/machine_settings.h"
#include "settings/settings.h"

namespace vexa::gcode {

enum class Dialect {
  Vexa,      // the raster windows' own lines (no units, burns as G0 under S M3 ... M5)
  Standard,  // G21 G90, G0 travel, G1 work with F, M4 S / M5, Z retracts and plunges
};

// Millimetres per motor step of each axis, signs included (SM_X_ratio, ...).
struct Calibration {
  double x = 0, y = 0, z = 0;
  static Calibration Of(const link::MachineSettings& machine) {
    return {machine.SM_X_ratio, machine.SM_Y_ratio, machine.SM_Z_ratio};
  }
};

struct StandardOptions {
  std::int64_t sMax = 1000;  // the S of full laser power (gcode_s_max)
  double safeZ = 2;          // mm above the surface for travel (gcode_safe_z)
};

inline constexpr const char* kDialectKey = "gcode_dialect";
inline constexpr const char* kSMaxKey = "gcode_s_max";
inline constexpr const char* kSafeZKey = "gcode_safe_z";

// "standard" is the standard form; anything else (the default "vexa") the raster form.
Dialect ReadDialect(const settings::SettingsSnapshot& ini);
// A value that is no number, or out of range (S 1 to 100000, safe height 0 to 1000 mm), gives
// the default: a broken cnc.ini line must not make a file that burns or crashes.
StandardOptions ReadStandardOptions(const settings::SettingsSnapshot& ini);

}  // namespace vexa::gcode
