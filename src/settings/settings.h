#pragma once
// cnc.ini access and the small text routines every window shares.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace vexa::settings {

// The one settings file, section CNC, of the private-profile (INI) kind. Keys are matched without
// regard to case; other sections, keys and lines of the file are kept as they are.
class SettingsFile {
 public:
  explicit SettingsFile(std::filesystem::path iniPath);

  const std::filesystem::path& path() const { return iniPath_; }

  // The value of `key`, or `builtinDefault` when the key is absent or empty. A missing check_ver
  // reads "0" and a missing check_prev "1973-01-01" whatever the default passed. Values are cut to
  // 254 characters.
  std::string ReadSetting(std::string_view key, std::string_view builtinDefault) const;

  // Writes key=text in section CNC, creating the file or the section when missing; an existing
  // line of the key is rewritten in place with this spelling of the key. Line breaks in `text`
  // become spaces. The file is replaced atomically; returns false when it could not be written
  // (the old file then stays) or when `key` could not be read back (empty, "=", ";" ...).
  bool WriteSetting(std::string_view key, std::string_view text) const;

 private:
  std::filesystem::path iniPath_;
};

// True when a plain file (not a folder) is found at `path`; any error counts as false.
bool FileExists(const std::filesystem::path& path);

// At most two decimals, rounded, decimal point, no trailing zeros: 2 -> "2", 1.256 -> "1.26".
std::string FormatDot(double number);

// Decimal comma, a final ",0" removed: "0.2" -> "0,2", "2.0" -> "2".
std::string FormatComma(std::string_view valueText);
std::string FormatComma(double value);

// The decimal rule: "." and "," are both decimal separators. [sign] digits [separator digits]
// with surrounding spaces allowed ("1." and ",5" too); anything else, exponents included, gives
// nullopt.
std::optional<double> ParseDecimal(std::string_view text);

// A signed 32-bit integer ("+5" and surrounding spaces accepted); a decimal text is rounded to
// the nearest integer, ties to even ("12,5" -> 12). Out of range or not a number gives nullopt.
std::optional<int> ParseInteger(std::string_view text);

// Key filter of millimetre fields, applied to each typed character: digits, "-", "," and
// backspace pass, "." becomes ",", everything else is swallowed (returns nullopt).
std::optional<char> FilterMillimetreKey(char typed);

}  // namespace vexa::settings
