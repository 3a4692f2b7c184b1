#pragma once
// The values the main window reads from cnc.ini at start-up.

#include <string>

#include "link/machine_settings.h"
#include "settings/settings.h"

namespace vexa::settings {

struct StartupSettings {
  link::MachineSettings machine;
  std::string port = "com1";
  int speed = 9600;
  int check_ver = 0;                      // update-check frequency 0..4
  std::string check_prev = "1973-01-01";  // date of the last scheduled update check
};

// Reads the start-up keys. A hand-edited value that is not a number falls back to the key's
// built-in default, and a speed of 0 becomes 9600, so start-up never fails on a bad file.
StartupSettings LoadStartupSettings(const SettingsFile& file);

}  // namespace vexa::settings
