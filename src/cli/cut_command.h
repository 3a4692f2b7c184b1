#pragma once
// "vexa-cli cut": the cutting window's "Обработать" (the processing chain, which leaves
// neuro.bmp), then "Резать" along the thinned lines.

#include <filesystem>

#include "cli/cli_options.h"
#include "cli/job_options.h"

namespace CLI {
class App;
}

namespace vexa::cli {

struct CutOptions {
  FieldText width, delay;
  bool returnToStart = false;
};

void AddCutCommand(CLI::App& app, CutOptions& options);
int RunCutCommand(const std::filesystem::path& programDir, const CommonOptions& common,
                  const CutOptions& options);

}  // namespace vexa::cli
