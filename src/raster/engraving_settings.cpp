#include "raster/engraving_settings.h"

#include "settings/settings_keys.h"

namespace vexa::raster {

std::string EngravingKeys::defaultOf(const std::string& name,
                                     const std::filesystem::path& programDir) const {
  return settings::BuiltinDefault(stem + "_" + name, programDir);
}

EngravingKeys LaserKeys(const std::string& prefix) {
  return {prefix, "Etching", true, true};
}

EngravingKeys WoodKeys() {
  return {"", "Etching1", false, false};
}

EngravingSettings ReadEngravingSettings(const settings::SettingsFile& settingsFile,
                                        const EngravingKeys& keys,
                                        const std::filesystem::path& programDir) {
  const settings::SettingsSnapshot file = settingsFile.ReadSettings();
  auto read = [&](const std::string& name) {
    return file.ReadSetting(keys.key(name), keys.defaultOf(name, programDir));
  };
  EngravingSettings settings;
  settings.delay = read("delay");
  if (keys.hasThreshold) settings.min = read("min");
  settings.image = read("image");
  settings.diameter = read("diameter");
  settings.width = read("width");
  if (keys.hasToneBoxes) {
    settings.pseudo = read("pseudo") == "1";
    settings.invert = read("invert") == "1";
  }
  return settings;
}

void WriteEngravingSettings(const settings::SettingsFile& file, const EngravingKeys& keys,
                            const EngravingSettings& settings) {
  std::vector<settings::SettingWrite> writes{{keys.key("width"), settings.width},
                                             {keys.key("delay"), settings.delay}};
  if (keys.hasThreshold) writes.push_back({keys.key("min"), settings.min});
  writes.push_back({keys.key("diameter"), settings.diameter});
  if (keys.hasToneBoxes) {
    writes.push_back({keys.key("pseudo"), settings.pseudo ? "1" : "0"});
    writes.push_back({keys.key("invert"), settings.invert ? "1" : "0"});
  }
  // One replace of the file for all of them; a failure is told of once per run.
  file.WriteSettings(writes);
}

}  // namespace vexa::raster
