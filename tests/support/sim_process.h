#pragma once
// Runs vexa-sim for a test: a controller on a pseudo-terminal with a command log.

#include <QProcess>
#include <QStringList>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace vexa::test {

class SimProcess {
 public:
  // Starts vexa-sim with `arguments` (plus its log) and waits for the device path it prints.
  explicit SimProcess(const QStringList& arguments = {});
  ~SimProcess();

  const std::string& portPath() const { return portPath_; }
  // Commands the controller received, one per entry, in order.
  std::vector<std::string> receivedCommands() const;
  // Waits until the simulator has exited on its own (after --hangup-after).
  bool waitForExit();

 private:
  TempFolder folder_;
  QProcess process_;
  std::string portPath_;
};

}  // namespace vexa::test
