#pragma once
// "vexa-cli mill", "relief", "outline" and "fill": the milling window's "Все" / "Выделенная" and
// "Резать 3D", the outline window's "Все" / "Выделенная" and "Грав-ть всё", each after
// "Разобрать" where the window needs it.

#include <filesystem>
#include <string>

#include "cli/cli_options.h"
#include "cli/job_options.h"

namespace CLI {
class App;
}

namespace vexa::cli {

struct FigureOptions {
  FieldText width, depth, diameter, delay;
  int figure = 0;  // --figure N: "Выделенная" on figure N of the tree; 0: "Все"
  bool returnToStart = false;
};

// The four subcommands, in the order above.
void AddFigureCommands(CLI::App& app, FigureOptions& options);
// `command` is one of the four names.
int RunFigureCommand(const std::string& command, const std::filesystem::path& programDir,
                     const CommonOptions& common, const FigureOptions& options);

}  // namespace vexa::cli
