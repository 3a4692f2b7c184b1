#pragma once
// "vexa-cli gcode FILE": the G-code window's "Выполнить" from a terminal, on the same core: the
// file read and checked, its estimate, and the run on a board answering "MT" or "OT".

#include <filesystem>
#include <string>

#include "cli/cli_options.h"

namespace CLI {
class App;
}

namespace vexa::cli {

struct GcodeOptions {
  CommonOptions common;         // --commands, --estimate, --port, --demo, --quiet
  std::string file;             // the G-code file
  std::string firmware = "MT";  // --firmware: the translation when no board answers
  bool runAnyway = false;       // --run-anyway: past unknown words that do not move
  bool returnToStart = false;   // --return: "С возвратом в исх."
};

void AddGcodeCommand(CLI::App& app, GcodeOptions& options);
int RunGcodeCommand(const std::filesystem::path& programDir, const GcodeOptions& options);

}  // namespace vexa::cli
