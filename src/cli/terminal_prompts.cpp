#include "cli/terminal_prompts.h"

#include <cstdio>

namespace vexa::cli {

std::string OneLine(const std::string& text) {
  std::string line;
  for (char c : text) {
    const bool space = c == '\r' || c == '\n' || c == ' ' || c == '\t';
    if (space && (line.empty() || line.back() == ' ')) continue;
    line += space ? ' ' : c;
  }
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

void TerminalPrompts::print(const std::string& text) {
  if (beforeMessage_) beforeMessage_();
  const bool named = subject_.empty() || text.find(subject_) != std::string::npos;
  const std::string line = named ? OneLine(text) : subject_ + ": " + OneLine(text);
  std::fprintf(stderr, "vexa-cli: %s\n", line.c_str());
  std::fflush(stderr);
}

void TerminalPrompts::message(const std::string& caption, const std::string& text) {
  (void)caption;  // the program's name stands where a box has its caption
  print(text);
}

bool TerminalPrompts::askYesNo(const std::string& caption, const std::string& text) {
  (void)caption;
  (void)text;
  return true;
}

int TerminalPrompts::PauseDialog() {
  if (liftCutter_) liftCutter_();
  return 0;
}

void TerminalPrompts::showFirmwareNotice(const std::string& text) {
  print(text);
}

std::optional<std::string> TerminalPrompts::chooseFileToOpen(const std::string&,
                                                             const std::vector<link::FileFilter>&,
                                                             const std::string&) {
  return std::nullopt;
}

}  // namespace vexa::cli
