#pragma once
// "vexa-cli scan": the scanner window's "Сканировать", then "Интерполировать" and "Сохранить в
// BMP": the probe walks the grid, and the height picture becomes image.bmp.

#include <filesystem>

#include "cli/cli_options.h"
#include "cli/job_options.h"

namespace CLI {
class App;
}

namespace vexa::cli {

struct ScanOptions {
  // The machine and output options only: a scan takes no picture and writes no G-code.
  CommonOptions common;
  FieldText meshWidth, meshHeight, areaWidth, areaHeight, pictureWidth, pictureHeight;
  BoxChoice scan;  // "Сканировать": --no-scan walks dry, with random readings
};

void AddScanCommand(CLI::App& app, ScanOptions& options);
int RunScanCommand(const std::filesystem::path& programDir, const ScanOptions& options);

}  // namespace vexa::cli
