#include "settings/settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>
#include <utility>

#include "settings/atomic_file.h"
#include "settings/ini_document.h"
#include "settings/ini_line.h"
#include "settings/settings_write_notice.h"

namespace vexa::settings {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kSection = "CNC";
// The system read the values into a 255-byte buffer, terminating NUL included.
constexpr std::size_t kMaxValueLength = 254;

// The file's bytes; the empty text when there is no file; nullopt when it exists but cannot be
// read, so that a write never replaces a file it could not see.
std::optional<std::string> readWholeFile(const fs::path& path) {
  std::error_code error;
  if (!fs::exists(path, error)) {
    if (error) return std::nullopt;
    return std::string();
  }
  if (!fs::is_regular_file(path, error)) return std::nullopt;
  try {
    std::ifstream stream(path, std::ios::binary);
    if (!stream) return std::nullopt;
    // In one piece: a large file read character by character costs a second per 20 MB.
    std::string text(static_cast<std::size_t>(fs::file_size(path, error)), '\0');
    if (error) return std::nullopt;
    stream.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(stream.gcount()));
    if (stream.bad()) return std::nullopt;
    // A file that grew while it was read: the rest as well.
    for (char c; stream.get(c);) text.push_back(c);
    if (stream.bad()) return std::nullopt;
    return text;
  } catch (const std::exception&) {  // the stream library throws on some read errors
    return std::nullopt;
  }
}

// What the system returned for an absent key: the update check must run on a first start, so its
// two keys have their own fallbacks.
std::string_view absentKeyFallback(std::string_view key) {
  if (equalsIgnoringCase(key, "check_ver")) return "0";
  if (equalsIgnoringCase(key, "check_prev")) return "1973-01-01";
  return {};
}

// A key must read back as itself from the line written for it ("=", ";x", "[x" would not).
bool isUsableKey(std::string_view key) {
  if (key.find_first_of("\r\n") != std::string_view::npos) return false;
  const std::string line = std::string(key) + "=";  // the entry's views point into it
  const auto entry = parseEntry(line);
  return entry && entry->key == trimBlanks(key);
}

}  // namespace

SettingsSnapshot::SettingsSnapshot(std::shared_ptr<const IniDocument> document)
    : document_(std::move(document)) {}

std::string SettingsSnapshot::ReadSetting(std::string_view key,
                                          std::string_view builtinDefault) const {
  std::string value(absentKeyFallback(key));
  if (document_) {
    if (const auto found = document_->find(kSection, key)) value = *found;
  }
  if (value.size() > kMaxValueLength) value.resize(kMaxValueLength);
  return value.empty() ? std::string(builtinDefault) : value;
}

SettingsFile::SettingsFile(fs::path iniPath) : iniPath_(std::move(iniPath)) {}

SettingsSnapshot SettingsFile::ReadSettings() const {
  const auto text = readWholeFile(iniPath_);
  if (!text) return SettingsSnapshot(nullptr);
  return SettingsSnapshot(std::make_shared<const IniDocument>(*text));
}

std::string SettingsFile::ReadSetting(std::string_view key, std::string_view builtinDefault) const {
  return ReadSettings().ReadSetting(key, builtinDefault);
}

bool SettingsFile::WriteSetting(std::string_view key, std::string_view text) const {
  return WriteSettings({{std::string(key), std::string(text)}});
}

bool SettingsFile::WriteSettings(const std::vector<SettingWrite>& writes,
                                 WriteFailureNotice notice) const {
  for (const SettingWrite& write : writes) {
    if (!isUsableKey(write.key)) return false;
  }
  auto failed = [&](bool readOnly) {
    NoteSettingsNotWritten(iniPath_, readOnly, notice == WriteFailureNotice::ByTheCaller);
    return false;
  };
  const auto oldText = readWholeFile(iniPath_);
  if (!oldText) return failed(false);
  IniDocument document(*oldText);
  for (const SettingWrite& write : writes) {
    // A line break in a value would start a new line, i.e. inject a key of its own.
    std::string value = write.text;
    for (char& c : value) {
      if (c == '\r' || c == '\n') c = ' ';
    }
    document.set(kSection, trimBlanks(write.key), value);
  }
  const std::string newText = document.text();
  // A window closing with its values unchanged does not rewrite a large file.
  if (newText == *oldText) return true;
  if (IsReadOnlyFile(iniPath_)) return failed(true);
  if (!replaceFileAtomically(iniPath_, newText)) return failed(false);
  return true;
}

bool FileExists(const fs::path& path) {
  std::error_code error;
  return fs::is_regular_file(path, error);
}

namespace {

// Decimal digits of a non-negative integer, plus one.
void incrementDigits(std::string& digits) {
  for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return;
    }
    *it = '0';
  }
  digits.insert(digits.begin(), '1');
}

// |number| x 100 rounded half away from zero, as decimal digits. The rounding works on the
// number's 15 significant digits, so 1.005 (stored as 1.00499999...) rounds up as written.
std::string roundedHundredths(double number) {
  constexpr int kSignificant = 15;
  char buffer[64];
  const auto end = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(number),
                                 std::chars_format::scientific, kSignificant - 1)
                       .ptr;
  const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));  // d.ddd...e+XX
  const auto exponentAt = text.find('e');
  const std::string digits =
      std::string(text.substr(0, 1)) + std::string(text.substr(2, exponentAt - 2));
  auto exponentText = text.substr(exponentAt + 1);
  if (exponentText.starts_with('+')) exponentText.remove_prefix(1);
  int exponent = 0;
  std::from_chars(exponentText.data(), exponentText.data() + exponentText.size(), exponent);

  // number x 100 = digits x 10^shift
  const int shift = exponent + 2 - (kSignificant - 1);
  if (shift >= 0) return digits + std::string(static_cast<std::size_t>(shift), '0');
  const int kept = kSignificant + shift;
  if (kept < 0) return "0";
  std::string hundredths = kept > 0 ? digits.substr(0, static_cast<std::size_t>(kept)) : "0";
  if (digits[static_cast<std::size_t>(kept)] >= '5') incrementDigits(hundredths);
  return hundredths;
}

std::string_view trimSpaces(std::string_view text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// [sign] digits [separator digits], either separator, at least one digit.
struct DecimalText {
  bool negative = false;
  std::string_view whole;
  std::string_view fraction;
};

std::optional<DecimalText> splitDecimalText(std::string_view text) {
  constexpr std::string_view kDigits = "0123456789";
  text = trimSpaces(text);
  DecimalText parts;
  if (text.starts_with('-') || text.starts_with('+')) {
    parts.negative = text.front() == '-';
    text.remove_prefix(1);
  }
  const auto wholeEnd = text.find_first_not_of(kDigits);
  parts.whole = text.substr(0, wholeEnd);
  if (wholeEnd != std::string_view::npos) {
    if (text[wholeEnd] != '.' && text[wholeEnd] != ',') return std::nullopt;
    parts.fraction = text.substr(wholeEnd + 1);
    if (parts.fraction.find_first_not_of(kDigits) != std::string_view::npos) return std::nullopt;
  }
  if (parts.whole.empty() && parts.fraction.empty()) return std::nullopt;
  return parts;
}

}  // namespace

std::string FormatDot(double number) {
  if (!std::isfinite(number)) {
    char buffer[16];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, number).ptr);
  }
  std::string hundredths = roundedHundredths(number);
  hundredths.erase(0, std::min(hundredths.find_first_not_of('0'), hundredths.size() - 1));
  const bool negative = number < 0 && hundredths != "0";
  if (hundredths.size() < 3) hundredths.insert(0, 3 - hundredths.size(), '0');

  std::string text = negative ? "-" : "";
  text += hundredths.substr(0, hundredths.size() - 2);
  std::string decimals = hundredths.substr(hundredths.size() - 2);
  while (!decimals.empty() && decimals.back() == '0') decimals.pop_back();
  if (!decimals.empty()) text += "." + decimals;
  return text;
}

std::string FormatComma(std::string_view valueText) {
  std::string text(valueText);
  for (char& c : text) {
    if (c == '.') c = ',';
  }
  if (text.ends_with(",0")) text.resize(text.size() - 2);
  return text;
}

std::string FormatComma(double value) {
  if (value == 0) return "0";  // no "-0"
  // Fixed notation: a field must never show "1e-04".
  char buffer[512];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  return FormatComma(std::string_view(buffer, static_cast<std::size_t>(result.ptr - buffer)));
}

std::optional<double> ParseDecimal(std::string_view text) {
  const auto parts = splitDecimalText(text);
  if (!parts) return std::nullopt;
  std::string normalized = parts->negative ? "-" : "";
  normalized += parts->whole.empty() ? "0" : std::string(parts->whole);
  normalized += "." + (parts->fraction.empty() ? std::string("0") : std::string(parts->fraction));
  double value = 0;
  const auto result =
      std::from_chars(normalized.data(), normalized.data() + normalized.size(), value);
  if (result.ec != std::errc() || result.ptr != normalized.data() + normalized.size()) {
    return std::nullopt;
  }
  return value;
}

std::optional<int> ParseInteger(std::string_view text) {
  const auto parts = splitDecimalText(text);
  if (!parts) return std::nullopt;
  auto whole = parts->whole;
  while (whole.size() > 1 && whole.front() == '0') whole.remove_prefix(1);
  if (whole.size() > 10) return std::nullopt;
  std::int64_t magnitude = 0;
  std::from_chars(whole.data(), whole.data() + whole.size(), magnitude);

  // Rounded on the digits themselves, ties to even, so 2.5000000000000001 is not taken for a tie.
  const auto fraction = parts->fraction;
  if (!fraction.empty()) {
    const bool aboveHalf =
        fraction.front() > '5' ||
        (fraction.front() == '5' && fraction.find_first_not_of('0', 1) != std::string_view::npos);
    const bool tie = fraction.front() == '5' && !aboveHalf;
    if (aboveHalf || (tie && magnitude % 2 == 1)) ++magnitude;
  }
  const std::int64_t value = parts->negative ? -magnitude : magnitude;
  if (value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(value);
}

std::optional<char> FilterMillimetreKey(char typed) {
  constexpr char kBackspace = '\b';
  if ((typed >= '0' && typed <= '9') || typed == '-' || typed == ',' || typed == kBackspace) {
    return typed;
  }
  if (typed == '.') return ',';
  return std::nullopt;
}

}  // namespace vexa::settings
