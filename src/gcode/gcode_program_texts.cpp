// The reader's findings as the user reads them, and the pieces its messages share.

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "gcode/gcode_program.h"
#include "gcode/message_texts.h"
#include "settings/ini_line.h"

namespace vexa::gcode {

std::string NumberText(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string out = text;
  if (decimals > 0) {
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
  }
  std::replace(out.begin(), out.end(), '.', ',');
  return out;
}

GcodeError LineError(std::uint32_t line, const std::string& what) {
  return {line, "Строка " + std::to_string(line) + ": " + what};
}

std::string PauseText(const Pause& pause) {
  const std::string where = "строка " + std::to_string(pause.line);
  if (pause.kind == PauseKind::Dwell) {
    return "Пауза " + NumberText(pause.seconds, 3) + " с (" + where + ").";
  }
  std::string text = "Смена инструмента";
  if (pause.tool >= 0) text += " T" + std::to_string(pause.tool);
  text += " (" + where + ")";
  const std::string_view comment = settings::trimBlanks(pause.comment);
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
