#pragma once
// The fields of the settings and calibration window: filled from the values in memory, checked
// before anything is applied, and written to cnc.ini as typed.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "link/machine_settings.h"
#include "settings/settings.h"

namespace vexa::app {

struct SettingsFields {
  std::string xRatio;  // millimetres per motor step
  std::string yRatio;
  std::string zRatio;
  std::string delay;  // travel delay, microseconds
  std::string port;
  std::string speed;
  bool optim = false;
  // gcode_dialect ("vexa" or "standard"); empty: the key is left as it is in cnc.ini.
  std::string gcodeDialect;
};

struct SettingsValues {
  link::MachineSettings machine;
  std::string port;
  int speed = 9600;
};

// The speed list, in order.
std::span<const char* const> SpeedListItems();

// The shortest decimal text of a ratio with at most 15 significant digits and the decimal
// comma: -0.005 gives "-0,005".
std::string RatioText(double ratio);

SettingsFields FieldsFromMemory(const link::MachineSettings& machine, const std::string& port,
                                int speed);

// A whole number of baud above 0 ("9600", also "9600,0"); nullopt otherwise.
std::optional<int> ReadSpeed(std::string_view text);

// What the connection check needs: the message for a missing port name or a bad speed.
std::optional<std::string> PortFieldsError(const std::string& port, const std::string& speed);

// Every field in window order; the first bad one gives its message and no values.
struct FieldsCheck {
  std::optional<SettingsValues> values;
  std::string error;
};
FieldsCheck ReadSettingsFields(const SettingsFields& fields);

// SM_X_ratio, SM_Y_ratio, SM_Z_ratio and SM_delay as typed, SM_optim as 0 or 1, the port name
// under "port", the speed text under "speed" and the G-code form under gcode_dialect (when
// given), in this order, in one replace of the file: all
// of them or none. False when the file could not be written (the caller tells the user).
bool WriteSettingsFields(const settings::SettingsFile& file, const SettingsFields& fields);

// Shown when cnc.ini cannot be written; the new values are in force until the program ends.
std::string SettingsNotSavedText(const settings::SettingsFile& file);

}  // namespace vexa::app
