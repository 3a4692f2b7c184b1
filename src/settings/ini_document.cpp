#include "settings/ini_document.h"

#include <algorithm>

#include "settings/ini_line.h"

namespace vexa::settings {

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool isBlankLine(std::string_view content) {
  return trimBlanks(content).empty();
}

}  // namespace

IniDocument::IniDocument(std::string_view text) {
  // Editors on Windows may start the file with a byte order mark; it must not hide the first
  // section header, and it is written back as it was.
  if (text.starts_with(kUtf8ByteOrderMark)) {
    byteOrderMark_ = kUtf8ByteOrderMark;
    text.remove_prefix(kUtf8ByteOrderMark.size());
  }
  lines_.reserve(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1);
  while (!text.empty()) {
    const auto lineFeed = text.find('\n');
    if (lineFeed == std::string_view::npos) {
      lines_.push_back({std::string(text), ""});
      break;
    }
    auto content = text.substr(0, lineFeed);
    std::string ending = "\n";
    if (content.ends_with('\r')) {
      content.remove_suffix(1);
      ending = "\r\n";
    }
    lines_.push_back({std::string(content), ending});
    text.remove_prefix(lineFeed + 1);
  }
  // Lines added later follow the style of the file's first line break.
  for (const auto& line : lines_) {
    if (!line.ending.empty()) {
      newline_ = line.ending;
      break;
    }
  }
}

std::optional<IniDocument::SectionLines> IniDocument::findSection(std::string_view section) const {
  for (std::size_t header = 0; header < lines_.size(); ++header) {
    const auto name = sectionHeaderName(lines_[header].content);
    if (!name || !equalsIgnoringCase(*name, section)) continue;
    std::size_t end = header + 1;
    while (end < lines_.size() && !sectionHeaderName(lines_[end].content)) ++end;
    return SectionLines{header, end};
  }
  return std::nullopt;
}

std::optional<std::size_t> IniDocument::findKeyLine(const SectionLines& lines,
                                                    std::string_view key) const {
  for (std::size_t index = lines.header + 1; index < lines.end; ++index) {
    const auto entry = parseEntry(lines_[index].content);
    if (entry && equalsIgnoringCase(entry->key, key)) return index;
  }
  return std::nullopt;
}

std::optional<std::string_view> IniDocument::find(std::string_view section,
                                                  std::string_view key) const {
  const auto lines = findSection(section);
  if (!lines) return std::nullopt;
  const auto index = findKeyLine(*lines, key);
  if (!index) return std::nullopt;
  return parseEntry(lines_[*index].content)->value;
}

void IniDocument::insertLine(std::size_t position, std::string content) {
  // A last line without a line break gets one, or the new line would be glued to it.
  if (position > 0 && lines_[position - 1].ending.empty()) lines_[position - 1].ending = newline_;
  lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(position),
                Line{std::move(content), newline_});
}

void IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
  std::string entry = std::string(key) + "=" + std::string(value);
  const auto lines = findSection(section);
  if (!lines) {
    if (!lines_.empty() && !isBlankLine(lines_.back().content)) insertLine(lines_.size(), "");
    insertLine(lines_.size(), "[" + std::string(section) + "]");
    insertLine(lines_.size(), std::move(entry));
    return;
  }
  if (const auto index = findKeyLine(*lines, key)) {
    lines_[*index].content = std::move(entry);
    return;
  }
  std::size_t lastFilled = lines->header;
  for (std::size_t index = lines->header + 1; index < lines->end; ++index) {
    if (!isBlankLine(lines_[index].content)) lastFilled = index;
  }
  insertLine(lastFilled + 1, std::move(entry));
}

std::string IniDocument::text() const {
  std::size_t length = byteOrderMark_.size();
  for (const auto& line : lines_) length += line.content.size() + line.ending.size();
  std::string text;
  text.reserve(length);
  text += byteOrderMark_;
  for (const auto& line : lines_) {
    text += line.content;
    text += line.ending;
  }
  return text;
}

}  // namespace vexa::settings
