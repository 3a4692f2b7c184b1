#include "cli/terminal_prompts.h"

#include <cstdio>

#include "cli/stop_signal.h"

#ifdef _WIN32
#include <io.h>
#else
#include <poll.h>
#include <unistd.h>
#endif

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

bool TerminalPrompts::waitForOperator(const std::string& text) {
  print(text);
#ifdef _WIN32
  return false;  // a console's input is not polled here: nobody is taken to be there
#else
  if (isatty(STDIN_FILENO) != 1) return false;
  print("Enter - продолжить, Ctrl+C - остановить");
  const int presses = StopSignals();
  // Polled, so that Ctrl+C (which the read would restart after) ends the wait at once.
  while (StopSignals() == presses) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (poll(&input, 1, 100) <= 0) continue;
    char line[256];
    if (std::fgets(line, sizeof line, stdin) == nullptr) return false;
    return true;
  }
  return false;
#endif
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
