#pragma once

#include <string>
#include <vector>

#include "chatter.h"
#include "emulator/command_log.h"
#include "emulator/emulated_controller.h"
#include "pseudo_terminal.h"
#include "sim_options.h"
#include "stop_signals.h"

namespace vexa::sim {

using emulator::EmulatorClock;
using TimePoint = emulator::EmulatorTime;

// The controller's main loop around a pseudo-terminal: reads commands from the line, logs them,
// has the emulated controller answer them, and hangs up, falls silent, echoes or chatters when
// told to.
class Emulator {
 public:
  enum class Ending { Stopped, HungUp };

  Emulator(const SimOptions& options, PseudoTerminal& line, emulator::CommandLog& log,
           const StopSignals& stopSignals);

  Ending run();

  long long commandsReceived() const { return commandsReceived_; }

 private:
  void readLine(TimePoint now);
  void handleCommand(const std::string& command, TimePoint now);
  void sendDueAnswers(TimePoint now);
  void send(const std::string& answer);
  void sendChatter(TimePoint now);
  bool lifelineEnded();
  void flushUnsent();
  int pollTimeoutMs(TimePoint now) const;

  PseudoTerminal& line_;
  emulator::CommandLog& log_;
  const StopSignals& stopSignals_;
  emulator::EmulatedController controller_;
  long long hangupAfter_;
  long long silentAfter_;
  bool echo_;
  Chatter chatter_;
  int lifelineFd_;  // standard input with --exit-with-stdin, else -1
  long long commandsReceived_ = 0;
  bool hungUp_ = false;
  bool lineFailing_ = false;  // last master read failed; back off instead of spinning
  std::string unsent_;        // answer bytes the line could not take yet
  std::vector<std::string> completed_;
  std::vector<char> readBuffer_;
};

}  // namespace vexa::sim
