#pragma once
// Reading vexa-sim's log after a run that did not wait for every answer (the setup command is
// never awaited, and nothing is with "Гравировать" cleared).

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

}  // namespace vexa::test
