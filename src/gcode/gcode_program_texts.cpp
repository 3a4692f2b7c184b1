// The reader's findings as the user reads them.

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "gcode/gcode_program.h"

namespace vexa::gcode {

namespace {

// "1,5": at most three decimals, a decimal comma.
std::string SecondsText(double seconds) {
  char text[64];
  std::snprintf(text, sizeof text, "%.3f", seconds);
  std::string out = text;
  while (out.back() == '0') out.pop_back();
  if (out.back() == '.') out.pop_back();
  std::replace(out.begin(), out.end(), '.', ',');
  return out;
}

std::string_view Trimmed(std::string_view text) {
  const auto space = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && space(text.front())) text.remove_prefix(1);
  while (!text.empty() && space(text.back())) text.remove_suffix(1);
  return text;
}

}  // namespace

std::string PauseText(const Pause& pause) {
  const std::string where = "строка " + std::to_string(pause.line);
  if (pause.kind == PauseKind::Dwell) {
    return "Пауза " + SecondsText(pause.seconds) + " с (" + where + ").";
  }
  std::string text = "Смена инструмента";
  if (pause.tool >= 0) text += " T" + std::to_string(pause.tool);
  text += " (" + where + ")";
  const std::string_view comment = Trimmed(pause.comment);
  if (!comment.empty()) text += ": " + std::string(comment);
  return text + ".";
}

std::string UnknownWordsText(const GcodeProgram& program) {
  if (program.unknown.empty()) return {};
  struct Group {
    const UnknownWord* first;
    std::vector<std::uint32_t> lines;
  };
  std::vector<Group> groups;
  for (const UnknownWord& word : program.unknown) {
    auto group = std::find_if(groups.begin(), groups.end(),
                              [&](const Group& g) { return g.first->word == word.word; });
    if (group == groups.end()) {
      groups.push_back({&word, {}});
      group = groups.end() - 1;
    }
    if (group->lines.empty() || group->lines.back() != word.line) group->lines.push_back(word.line);
  }
  constexpr std::size_t kLinesShown = 10;
  std::string text = "Vexa не выполняет эти слова файла:";
  for (const Group& group : groups) {
    text += "\n" + group.first->word;
    if (group.first->moves) text += " (перемещает станок)";
    text += group.lines.size() == 1 ? ": строка " : ": строки ";
    for (std::size_t k = 0; k < std::min(group.lines.size(), kLinesShown); ++k) {
      text += (k > 0 ? ", " : "") + std::to_string(group.lines[k]);
    }
    if (group.lines.size() > kLinesShown) text += ", …";
  }
  if (program.unknownLeftOut > 0) {
    text += "\n…и ещё слов: " + std::to_string(program.unknownLeftOut);
  }
  return text;
}

}  // namespace vexa::gcode
