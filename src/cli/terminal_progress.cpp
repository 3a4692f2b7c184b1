#include "cli/terminal_progress.h"

#include <cmath>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#define VEXA_ISATTY(fd) _isatty(fd)
#else
#include <unistd.h>
#define VEXA_ISATTY(fd) isatty(fd)
#endif

namespace vexa::cli {

namespace {

bool StandardErrorIsTerminal() {
  return VEXA_ISATTY(2) == 1;
}

}  // namespace

std::string ProgressLine(const link::ProgressReport& report, std::int64_t done,
                         std::int64_t total) {
  char percent[16];
  std::snprintf(percent, sizeof percent, "%3d %%", int(std::floor(report.fraction * 100)));
  return std::string(percent) + "  " + link::GroupedNumber(done) + " / " +
         link::GroupedNumber(total) + " команд  " + link::RemainingText(report.remainingSeconds);
}

TerminalProgress::TerminalProgress(bool wanted) : shown_(wanted && StandardErrorIsTerminal()) {}

void TerminalProgress::start(const std::optional<link::JobEstimate>& estimate) {
  total_ = estimate ? estimate->commands() : 0;
}

void TerminalProgress::show(const link::ProgressReport& report) {
  if (!shown_) return;
  // Cleared to the end of the line: the time left may get shorter.
  std::fprintf(stderr, "\r%s\033[K",
               ProgressLine(report, report.commands, total_).c_str());
  std::fflush(stderr);
  lineOpen_ = true;
}

void TerminalProgress::finish() {
  if (!lineOpen_) return;
  std::fputc('\n', stderr);
  std::fflush(stderr);
  lineOpen_ = false;
}

}  // namespace vexa::cli
