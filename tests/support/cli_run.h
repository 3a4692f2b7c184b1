#pragma once
// Runs the real vexa-cli executable, as a user's shell would.

#include <QProcess>
#include <string>
#include <vector>

namespace vexa::test {

struct CliRun {
  int exitCode = -1;  // -1: it did not end normally
  std::string out;    // standard output
  std::string errors;
};

// vexa-cli with `arguments` (UTF-8), waited for (a test failure after two minutes: killed then).
CliRun runCli(const std::vector<std::string>& arguments);

// vexa-cli running, for a test that interrupts it.
class RunningCli {
 public:
  explicit RunningCli(const std::vector<std::string>& arguments);
  ~RunningCli();
  RunningCli(const RunningCli&) = delete;
  RunningCli& operator=(const RunningCli&) = delete;

  // Ctrl+C: SIGINT, as the terminal sends it.
  void interrupt();
  CliRun waitForEnd();

 private:
  QProcess process_;
};

}  // namespace vexa::test
