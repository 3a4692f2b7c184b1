#pragma once
// The syntax of one line of a private-profile (INI) file.

#include <optional>
#include <string_view>

namespace vexa::settings {

// Without the blanks (spaces, tabs, stray CR) that the profile functions ignore around names and
// values.
std::string_view trimBlanks(std::string_view text);

// ASCII case-insensitive comparison: section and key names are matched this way.
bool equalsIgnoringCase(std::string_view a, std::string_view b);

// "[name]" gives the trimmed name; anything after the closing bracket is ignored. Every other line
// gives nullopt.
std::optional<std::string_view> sectionHeaderName(std::string_view line);

struct IniEntry {
  std::string_view key;
  std::string_view value;
};

// "key=value" gives both, trimmed. Comments (";" or "#"), section headers, blank lines, lines
// without "=" and lines with an empty key are not entries.
std::optional<IniEntry> parseEntry(std::string_view line);

}  // namespace vexa::settings
