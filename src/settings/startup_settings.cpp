#include "settings/startup_settings.h"

#include "settings/settings_keys.h"

namespace vexa::settings {

namespace {

// Reads a numeric key; text that is not a number gives the key's built-in default.
template <typename Parse>
auto readNumber(const SettingsSnapshot& file, const char* key, Parse parse) {
  const std::string builtin = BuiltinDefault(key, {});
  return parse(file.ReadSetting(key, builtin)).value_or(*parse(builtin));
}

}  // namespace

StartupSettings LoadStartupSettings(const SettingsFile& settingsFile) {
  const SettingsSnapshot file = settingsFile.ReadSettings();
  StartupSettings s;
  link::MachineSettings& m = s.machine;
  m.SM_X_ratio = readNumber(file, "SM_X_ratio", ParseDecimal);
  m.SM_Y_ratio = readNumber(file, "SM_Y_ratio", ParseDecimal);
  m.SM_Z_ratio = readNumber(file, "SM_Z_ratio", ParseDecimal);
  m.SM_delay = readNumber(file, "SM_delay", ParseInteger);
  m.SM_optim = readNumber(file, "SM_optim", ParseInteger);
  s.port = file.ReadSetting("Port", BuiltinDefault("Port", {}));
  s.speed = readNumber(file, "speed", ParseInteger);
  if (s.speed == 0) s.speed = 9600;
  s.check_ver = readNumber(file, "check_ver", ParseInteger);
  // Present but empty reads "0"; absent reads "1973-01-01" (ReadSetting's own fallback).
  s.check_prev = file.ReadSetting("check_prev", "0");
  return s;
}

}  // namespace vexa::settings
