#pragma once
// The progress line on standard error: percent, commands sent of all and the time left, redrawn
// in place at most four times a second. Only on a terminal (a log file would fill with carriage
// returns) and not with --quiet.

#include <cstdint>
#include <optional>

#include "link/job_estimate.h"
#include "link/job_progress.h"

namespace vexa::cli {

class TerminalProgress {
 public:
  explicit TerminalProgress(bool wanted);

  bool shown() const { return shown_; }
  void start(const std::optional<link::JobEstimate>& estimate);
  void show(const link::ProgressReport& report);
  // Ends the line, so what follows starts on its own.
  void finish();

 private:
  bool shown_;
  bool lineOpen_ = false;
  std::int64_t total_ = 0;
};

// "  42 %  315 000 / 750 000 команд  осталось ~00:12:34".
std::string ProgressLine(const link::ProgressReport& report, std::int64_t done, std::int64_t total);

}  // namespace vexa::cli
