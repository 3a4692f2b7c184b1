#pragma once
// Reading vexa-sim's log after a run that did not wait for every answer (the setup command is
// never awaited, and nothing is with "Гравировать" cleared).

#include <QObject>
#include <QTimer>
#include <functional>
#include <string>
#include <vector>

#include "link/machine_link.h"
#include "support/sim_process.h"

namespace vexa::test {

// The commands the emulator has taken so far. It logs each command before it answers and
// answers in order, so once the answer to a fresh "V;" has arrived, everything sent before is
// in the log; that "V" is left out.
inline std::vector<std::string> CommandsSoFar(link::MachineLink& link, const SimProcess& sim,
                                              const std::string& tag) {
  link.WritePort("V;");
  std::string answers;
  while (answers.find(tag) == std::string::npos) link.ReadAvailable(answers, tag);
  std::vector<std::string> commands = sim.receivedCommands();
  if (!commands.empty() && commands.back() == "V") commands.pop_back();
  return commands;
}

// Runs `act` once, from the event processing of whatever waits (a job, a move), as soon as the
// controller has received `count` commands: for a board that never answers the last of them.
inline void OnceReceived(const SimProcess& sim, std::size_t count, QObject* context,
                         std::function<void()> act) {
  auto* poll = new QTimer(context);
  poll->setInterval(10);
  QObject::connect(poll, &QTimer::timeout, context, [&sim, count, poll, act] {
    if (sim.receivedCommands().size() < count) return;
    poll->stop();
    poll->deleteLater();
    act();
  });
  poll->start();
}

// A test of a wait that the user must be able to end: should it not end, the board hangs up
// after a minute, which ends the wait with the read error and fails the test instead of
// leaving it waiting for ever.
inline void HangUpIfStillWaiting(SimProcess& sim, QObject* context) {
  QTimer::singleShot(60000, context, [&sim] { sim.end(); });
}

}  // namespace vexa::test
