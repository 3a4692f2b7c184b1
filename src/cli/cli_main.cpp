// vexa-cli: the jobs of Vexa's windows from a terminal, on the same core, without a display.

#include <CLI/CLI.hpp>
#include <QCoreApplication>
#include <QStandardPaths>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/cut_command.h"
#include "cli/exit_status.h"
#include "cli/figure_commands.h"
#include "cli/job_options.h"
#include "cli/gcode_command.h"
#include "cli/raster_command.h"
#include "cli/scan_command.h"
#include "cli/stop_signal.h"
#include "picture/qt_path.h"
#include "settings/program_dir.h"
#include "version.h"

namespace {

using vexa::cli::CommonOptions;

void AddCommonOptions(CLI::App& command, CommonOptions& common) {
  command.add_option("picture", common.picture,
                     "the picture file (BMP, JPEG, PNG, GIF); default: the window's last one in "
                     "cnc.ini");
  command.add_option("--gcode", common.gcode, "G-код: write the job's G-code to FILE");
  command
      .add_option("--dialect", common.dialect,
                  "G-код: form of the raster G-code, vexa or standard (default: gcode_dialect "
                  "in cnc.ini)")
      ->check(CLI::IsMember({"vexa", "standard"}));
  vexa::cli::AddMachineOptions(command, common, "drive");
  command.add_option("--out-dir", common.outDir,
                     "folder for the processed pictures (work.bmp, ...); default: the program "
                     "folder");
}

std::filesystem::path ProgramDir(const CommonOptions& common, const char* argv0) {
  std::vector<std::string> args{argv0};
  if (!common.programDir.empty()) args.insert(args.end(), {"--program-dir", common.programDir});
  const char* variable = std::getenv(vexa::settings::kProgramDirVariable);
  return vexa::settings::ResolveProgramDir(
      args, variable, vexa::picture::ToPath(QCoreApplication::applicationDirPath()),
      vexa::picture::ToPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
}

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName("Vexa");

  CLI::App app("vexa-cli: Vexa's jobs from a terminal (convert, estimate, run on a board)",
               "vexa-cli");
  app.set_version_flag("--version", std::string("vexa-cli ") + VEXA_VERSION);
  app.require_subcommand(1);
  CommonOptions common;
  app.add_option("--program-dir", common.programDir,
                 "the program folder: cnc.ini and the default pictures");
  app.fallthrough();

  vexa::cli::RasterOptions raster;
  vexa::cli::AddRasterCommand(app, raster);
  vexa::cli::FigureOptions figure;
  vexa::cli::AddFigureCommands(app, figure);
  vexa::cli::CutOptions cut;
  vexa::cli::AddCutCommand(app, cut);
  for (CLI::App* command : app.get_subcommands({})) AddCommonOptions(*command, common);
  vexa::cli::ScanOptions scan;  // its own machine options: no picture, no G-code
  vexa::cli::AddScanCommand(app, scan);
  vexa::cli::GcodeOptions gcode;  // its own too: a G-code file in place of the picture
  vexa::cli::AddGcodeCommand(app, gcode);

  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForVersion& version) {
    return app.exit(version);
  } catch (const CLI::ParseError& error) {
    std::fprintf(stderr, "vexa-cli: %s\n", error.what());
    return vexa::cli::kBadInput;
  }

  vexa::cli::InstallStopSignal();
  const std::filesystem::path programDir = ProgramDir(common, argv[0]);
  try {
    if (app.got_subcommand("raster"))
      return vexa::cli::RunRasterCommand(programDir, common, raster);
    if (app.got_subcommand("cut")) return vexa::cli::RunCutCommand(programDir, common, cut);
    for (const char* name : {"mill", "relief", "outline", "fill"}) {
      if (app.got_subcommand(name))
        return vexa::cli::RunFigureCommand(name, programDir, common, figure);
    }
    if (app.got_subcommand("scan")) return vexa::cli::RunScanCommand(programDir, scan);
    if (app.got_subcommand("gcode")) return vexa::cli::RunGcodeCommand(programDir, gcode);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "vexa-cli: %s\n", error.what());
    return vexa::cli::kBadInput;
  }
  return vexa::cli::kBadInput;
}
