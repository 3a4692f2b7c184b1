#pragma once
// cnc.ini access and the small text routines every window shares.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::settings {

class IniDocument;

// The file as it was read once: a window that reads several keys when it opens asks this instead
// of the file, so a large cnc.ini is read and parsed once, not once per key. Same answers as
// SettingsFile::ReadSetting.
class SettingsSnapshot {
 public:
  std::string ReadSetting(std::string_view key, std::string_view builtinDefault) const;

 private:
  friend class SettingsFile;
  explicit SettingsSnapshot(std::shared_ptr<const IniDocument> document);
  std::shared_ptr<const IniDocument> document_;  // null when there was no file to read
};

// One key=text line for SettingsFile::WriteSettings.
struct SettingWrite {
  std::string key;
  std::string text;
};

// Who tells the user of a write that failed (settings_write_notice.h).
enum class WriteFailureNotice {
  Once,         // the notice, once per run and file
  ByTheCaller,  // the caller shows its own message; the file counts as told
};

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

  // Reads the file once for several ReadSetting calls.
  SettingsSnapshot ReadSettings() const;

  // Writes key=text in section CNC, creating the file or the section when missing; an existing
  // line of the key is rewritten in place with this spelling of the key. Line breaks in `text`
  // become spaces. The file is replaced atomically; returns false when it could not be written
  // (the old file then stays) or when `key` could not be read back (empty, "=", ";" ...).
  // A read-only file is not written (atomic_file.h). A failed write is told of once per run.
  bool WriteSetting(std::string_view key, std::string_view text) const;

  // The same for several keys, in order, with one read and one replace of the file: all of them
  // are written or none. A key that could not be read back refuses the whole lot. A write that
  // would change nothing leaves the file as it is.
  bool WriteSettings(const std::vector<SettingWrite>& writes,
                     WriteFailureNotice notice = WriteFailureNotice::Once) const;

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
