#pragma once
// Runs vexa-sim for a test or a bench: a controller on a pseudo-terminal with a command log.
// The emulator ends with this object, and also when the program that started it dies (it
// watches its standard input, which only this program holds).

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
  // Ends the emulator now, as when the board is unplugged: the line hangs up.
  void end();
  qint64 processId() const { return process_.processId(); }

 private:
  TempFolder folder_;
  QProcess process_;
  std::string portPath_;
};

}  // namespace vexa::test
