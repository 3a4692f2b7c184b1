#pragma once

#include <string>
#include <vector>

#include "answer_queue.h"
#include "chatter.h"
#include "command_log.h"
#include "command_splitter.h"
#include "move_pace.h"
#include "pseudo_terminal.h"
#include "responder.h"
#include "sim_clock.h"
#include "sim_options.h"
#include "stop_signals.h"

namespace vexa::sim {

// The controller's main loop: reads commands from the line, logs them, answers them in order
// and hangs up, falls silent, echoes or chatters when told to.
class Emulator {
 public:
  enum class Ending { Stopped, HungUp };

  Emulator(const SimOptions& options, PseudoTerminal& line, CommandLog& log,
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
  CommandLog& log_;
  const StopSignals& stopSignals_;
  CommandSplitter splitter_;
  Responder responder_;
  AnswerQueue answers_;
  bool paced_;
  MovePace pace_;
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
