#pragma once
// A private-profile (INI) file held line by line, so that an edit rewrites one line and keeps every
// other byte of the file: other sections, comments, unknown lines and the line-ending style.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::settings {

class IniDocument {
 public:
  explicit IniDocument(std::string_view text);

  // The value of the first `key` in the first section named `section` (names matched without
  // regard to case); nullopt when the section or the key is missing. A present key may be empty.
  std::optional<std::string_view> find(std::string_view section, std::string_view key) const;

  // Writes the line key=value: over the first matching key of the section (the caller's spelling of
  // the key replaces the file's), else after the section's last non-blank line, else in a new
  // section appended at the end of the file.
  void set(std::string_view section, std::string_view key, std::string_view value);

  std::string text() const;

 private:
  struct Line {
    std::string content;
    std::string ending;  // "\n", "\r\n", or empty for a last line without a line break
  };
  struct SectionLines {
    std::size_t header;
    std::size_t end;  // one past the section's last line
  };

  std::optional<SectionLines> findSection(std::string_view section) const;
  std::optional<std::size_t> findKeyLine(const SectionLines& lines, std::string_view key) const;
  void insertLine(std::size_t position, std::string content);

  std::string byteOrderMark_;
  std::vector<Line> lines_;
  std::string newline_ = "\n";
};

}  // namespace vexa::settings
