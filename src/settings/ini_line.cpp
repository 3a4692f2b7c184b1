#include "settings/ini_line.h"

#include <algorithm>

namespace vexa::settings {

namespace {

constexpr std::string_view kBlanks = " \t\r\v\f";

char lowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string_view trimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(kBlanks);
  return text.substr(first, last - first + 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
  return std::ranges::equal(a, b, [](char x, char y) { return lowerAscii(x) == lowerAscii(y); });
}

std::optional<std::string_view> sectionHeaderName(std::string_view line) {
  line = trimBlanks(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  const auto close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return trimBlanks(line.substr(1, close - 1));
}

std::optional<IniEntry> parseEntry(std::string_view line) {
  line = trimBlanks(line);
  if (line.empty() || line.front() == ';' || line.front() == '#' || line.front() == '[') {
    return std::nullopt;
  }
  const auto equals = line.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const auto key = trimBlanks(line.substr(0, equals));
  if (key.empty()) return std::nullopt;
  return IniEntry{key, trimBlanks(line.substr(equals + 1))};
}

}  // namespace vexa::settings
