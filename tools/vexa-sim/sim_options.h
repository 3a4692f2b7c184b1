#pragma once

#include <string>
#include <vector>

#include "emulator/controller_responder.h"

namespace vexa::sim {

struct SimOptions {
  std::string tag = "MT";
  long long delayMs = 0;
  bool crlf = false;
  std::vector<std::string> probeReadings{"128"};
  bool silent = false;
  long long hangupAfter = 0;  // 0: never hang up
  long long silentAfter = 0;  // 0: answer every command
  bool echo = false;
  long long chatterBytesPerSecond = 0;
  bool exitWithStdin = false;
  bool pace = false;
  std::string logPath;
  std::string linkPath;
  bool quiet = false;
};

struct ParsedCommandLine {
  enum class Outcome { Run, ShowHelp, Invalid };
  Outcome outcome = Outcome::Run;
  SimOptions options;
  std::string error;  // set when outcome is Invalid
};

// What the options ask of the controller's answers.
emulator::ControllerBehaviour ControllerBehaviourOf(const SimOptions& options);

ParsedCommandLine parseCommandLine(const std::vector<std::string>& args);

const char* usageText();

}  // namespace vexa::sim
