#pragma once
// What every vexa-cli job does around the core job it runs, as a window does around its button:
// the picture intake, the machine, the G-code choices, the estimate, the progress line, and how
// the job's end becomes the exit status.

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/cli_machine.h"
#include "cli/cli_options.h"
#include "cli/exit_status.h"
#include "cli/terminal_progress.h"
#include "gcode/gcode_options.h"
#include "link/job_estimate.h"
#include "link/job_progress.h"
#include "link/job_stream.h"
#include "picture/window_picture.h"

namespace vexa::cli {

class CliJob {
 public:
  CliJob(const std::filesystem::path& programDir, const CommonOptions& common);

  CliMachine& machine() { return machine_; }
  const std::filesystem::path& programDir() const { return programDir_; }

  // Prints `text` as the window's message box would show it; the status for bad input.
  ExitStatus refuse(const std::string& text);

  // The window's picture with `copies` copies, its path the one given on the command line or
  // `storedPath`; nothing is loaded yet. work.bmp goes to --out-dir when given.
  picture::WindowPicture& openPicture(const std::string& pathKey, int copies,
                                      const std::string& refusalLine,
                                      const std::string& storedPath);

  // Takes the picture in by `load` (true when it holds a picture): its messages name the file.
  bool intake(const std::function<bool()>& load);

  ExitStatus connect(const std::string& tag, const std::string& alternative = {}) {
    return machine_.connect(tag, alternative);
  }

  std::optional<std::filesystem::path> gcodePath() const;
  // --dialect, else cnc.ini's gcode_dialect.
  gcode::Dialect dialect() const;
  gcode::StandardOptions standardOptions() const;

  // --estimate: the estimate on standard output, or that there is none.
  ExitStatus printEstimate(const std::optional<link::JobEstimate>& estimate);
  std::function<void(const link::ProgressReport&)> progressShower();

  // Runs `job` (true when it ran to its end, false when it refused with a message) and turns
  // its end into the exit status: the link abort is caught here, as at a window's button.
  ExitStatus run(const std::optional<link::JobEstimate>& estimate,
                 const std::function<bool()>& job);
  // The same for a job whose commands pass through a job stream: the stream tells the progress
  // line, and a job that ran to its end says so with its time ("... закончена за 00:01:23").
  ExitStatus runFollowed(const std::optional<link::JobEstimate>& estimate,
                         const std::function<bool(link::JobStream&)>& job,
                         const std::string& doneText);

 private:
  std::filesystem::path programDir_;
  const CommonOptions& common_;
  CliMachine machine_;
  TerminalProgress progress_;
  std::unique_ptr<picture::WindowPicture> picture_;
};

}  // namespace vexa::cli
