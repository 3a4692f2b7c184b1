#pragma once
// The keys of cnc.ini with their built-in defaults.

#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace vexa::settings {

struct SettingKey {
  std::string_view name;
  // Built-in default, used when the key is absent or empty (check_prev: "0", only for an empty
  // value; an absent one reads "1973-01-01"); for picture keys the file name that is joined to the
  // program folder.
  std::string_view builtinDefault;
  bool isPicturePath = false;
};

std::span<const SettingKey> AllSettingKeys();

// The built-in default of `key` (matched without regard to case); picture paths are resolved
// against `programDir` and given as UTF-8 text. Unknown keys give the empty text.
std::string BuiltinDefault(std::string_view key, const std::filesystem::path& programDir);

// Impact-head mode keeps its own copy of every raster key: "Etching_delay" -> "sh_Etching_delay".
std::string ImpactHeadKey(std::string_view rasterKey);

}  // namespace vexa::settings
