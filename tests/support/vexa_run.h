#pragma once
// Runs the real vexa executable on a program folder with an automation script, as the
// end-to-end tests do.

#include <QProcess>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace vexa::test {

struct VexaRun {
  int exitCode = -1;
  std::string transcript;  // standard output: one line per message box
  std::string errors;
};

// Starts vexa on `programDir` with `script` and waits for it to end (a test failure when it
// does not end within two minutes; it is killed then).
VexaRun runVexa(const TempFolder& programDir, const std::string& script);

// The same with the program folder given another way: `arguments` on the command line (UTF-8)
// and `programDirVariable` as VEXA_PROGRAM_DIR (left unset when empty). The script is written to
// `scriptFolder`.
VexaRun runVexa(const TempFolder& scriptFolder, const std::string& script,
                const std::vector<std::string>& arguments, const std::string& programDirVariable);

// vexa running on `programDir` with `script`, for a test that watches it while it runs (a
// script without "quit" leaves it running). Ended with this object.
class RunningVexa {
 public:
  // With `keepOutput`, standard output and errors are kept for waitForEnd(); otherwise they go
  // to the test's own.
  RunningVexa(const TempFolder& programDir, const std::string& script, bool keepOutput = false);
  ~RunningVexa();
  RunningVexa(const RunningVexa&) = delete;
  RunningVexa& operator=(const RunningVexa&) = delete;

  qint64 processId() const { return process_.processId(); }
  bool running() const { return process_.state() == QProcess::Running; }
  // Waits for the end as runVexa does (two minutes, then a failure and a kill).
  VexaRun waitForEnd();

 private:
  QProcess process_;
};

}  // namespace vexa::test
