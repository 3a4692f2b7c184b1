#pragma once
// "vexa-cli raster": the laser window's "Гравировать" (also as the impact head), or the
// wood-burning window's, on one picture.

#include <filesystem>
#include <string>

#include "cli/cli_options.h"
#include "cli/job_options.h"

namespace CLI {
class App;
}

namespace vexa::cli {

struct RasterOptions {
  std::string mode = "laser";  // laser, impact, wood
  FieldText delay, min, diameter, width;
  BoxChoice pseudoTone, invert;
  bool doublePass = false;
  bool returnToStart = false;
};

void AddRasterCommand(CLI::App& app, RasterOptions& options);
int RunRasterCommand(const std::filesystem::path& programDir, const CommonOptions& common,
                     const RasterOptions& options);

}  // namespace vexa::cli
