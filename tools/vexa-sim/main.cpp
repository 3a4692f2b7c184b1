// vexa-sim: a stand-in for the Arduino controller, so Vexa and its tests run without a machine.

#include <cstdio>
#include <exception>
#include <stdexcept>
#include <memory>
#include <string>
#include <vector>

#include "emulator.h"
#include "emulator/command_log.h"
#include "port_link.h"
#include "pseudo_terminal.h"
#include "sim_options.h"
#include "stop_signals.h"

namespace vexa::sim {
namespace {

void describeStart(const SimOptions& options, const std::string& port) {
  std::string tag = options.tag.empty() ? "none (\"V;\" unanswered)" : options.tag;
  std::fprintf(
      stderr, "vexa-sim: tag %s, waiting for commands on %s\n", tag.c_str(),
      options.linkPath.empty() ? port.c_str() : (options.linkPath + " -> " + port).c_str());
}

int run(const SimOptions& options) {
  StopSignals stopSignals;
  std::unique_ptr<emulator::CommandLog> log;
  try {
    log = std::make_unique<emulator::CommandLog>(options.logPath);
  } catch (const std::exception& error) {
    throw std::runtime_error(std::string(error.what()) + " " + options.logPath);
  }
  PseudoTerminal line;
  std::unique_ptr<PortLink> link;
  if (!options.linkPath.empty()) {
    link = std::make_unique<PortLink>(options.linkPath, line.slavePath());
  }

  // Tests learn the port from this line, so it goes first and out at once.
  std::printf("%s\n", line.slavePath().c_str());
  std::fflush(stdout);
  if (!options.quiet) describeStart(options, line.slavePath());

  Emulator emulator(options, line, *log, stopSignals);
  Emulator::Ending ending = emulator.run();
  if (!options.quiet) {
    if (ending == Emulator::Ending::HungUp) {
      std::fprintf(stderr, "vexa-sim: hung up after command %lld\n", emulator.commandsReceived());
    } else {
      std::fprintf(stderr, "vexa-sim: stopped after %lld commands\n", emulator.commandsReceived());
    }
  }
  return 0;
}

}  // namespace
}  // namespace vexa::sim

int main(int argc, char** argv) {
  using vexa::sim::ParsedCommandLine;
  ParsedCommandLine parsed =
      vexa::sim::parseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  switch (parsed.outcome) {
    case ParsedCommandLine::Outcome::ShowHelp:
      std::fputs(vexa::sim::usageText(), stdout);
      return 0;
    case ParsedCommandLine::Outcome::Invalid:
      std::fprintf(stderr, "vexa-sim: %s\n\n%s", parsed.error.c_str(), vexa::sim::usageText());
      return 2;
    case ParsedCommandLine::Outcome::Run:
      break;
  }
  try {
    return vexa::sim::run(parsed.options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vexa-sim: %s\n", error.what());
    return 1;
  }
}
