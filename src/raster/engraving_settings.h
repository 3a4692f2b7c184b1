#pragma once
// The cnc.ini keys of the two raster windows: the laser window's Etching_ keys (with "sh_" before
// them in impact-head mode) and the wood-burning window's Etching1_ keys, which lack the lower
// threshold and the tone boxes.

#include <filesystem>
#include <string>

#include "settings/settings.h"

namespace vexa::raster {

struct EngravingKeys {
  std::string prefix;        // "" or "sh_"
  std::string stem;          // "Etching" or "Etching1"
  bool hasThreshold = true;  // _min
  bool hasToneBoxes = true;  // _pseudo, _invert

  // prefix + stem + "_" + name: key("delay") is "sh_Etching_delay" in impact-head mode.
  std::string key(const std::string& name) const { return prefix + stem + "_" + name; }
  // The built-in default, the same for both prefixes.
  std::string defaultOf(const std::string& name, const std::filesystem::path& programDir) const;
};

EngravingKeys LaserKeys(const std::string& prefix);
EngravingKeys WoodKeys();

// The field texts as stored (decimal comma) and the tone boxes.
struct EngravingSettings {
  std::string delay;     // Text4
  std::string min;       // Text3
  std::string image;     // Text1
  std::string diameter;  // Text5
  std::string width;     // Text6
  bool pseudo = false;   // Check5
  bool invert = false;   // Check6
};

// Read when the window opens, from one reading of the file; an absent or empty key takes its
// default.
EngravingSettings ReadEngravingSettings(const settings::SettingsFile& file,
                                        const EngravingKeys& keys,
                                        const std::filesystem::path& programDir);
// Written when the window closes, in the system's order and in one replace of the file; the
// picture path is written only when a picture is chosen.
void WriteEngravingSettings(const settings::SettingsFile& file, const EngravingKeys& keys,
                            const EngravingSettings& settings);

}  // namespace vexa::raster
