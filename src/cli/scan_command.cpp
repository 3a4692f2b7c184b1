#include "cli/scan_command.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <optional>
#include <system_error>
#include <variant>

#include "cli/cli_job.h"
#include "link/job_stream.h"
#include "link/link_abort.h"
#include "link/scanner_moves.h"
#include "scanner/height_picture.h"
#include "scanner/scan_run.h"
#include "scanner/scanner_fields.h"
#include "settings/path_text.h"

namespace vexa::cli {

namespace {

constexpr const char* kNoMachineText =
    "scan: сканировать нечем: укажите --port ПОРТ, --demo или --commands ФАЙЛ";

// The fields given on the command line are typed in and left, as a user would, panel by panel:
// the mesh (the picture follows it in whole grid steps), the picture size and "Установить",
// then the area, whose other side follows the picture's proportions. The message of a picture
// size the box cannot take, or nothing.
std::optional<std::string> TypeFields(const ScanOptions& options, scanner::ScannerFields& fields,
                                      scanner::ScanPreview& preview) {
  for (const auto& [given, field] : {std::pair{&options.meshWidth, &fields.meshWidth},
                                     {&options.meshHeight, &fields.meshHeight}}) {
    // Passing through a field without changing it keeps the picture.
    if (!*given || **given == *field) continue;
    *field = **given;
    scanner::DragPreviewBox(fields, preview, {preview.boxWidth(), preview.boxHeight()});
  }
  if (options.pictureWidth || options.pictureHeight) {
    fields.pictureWidth = FieldOr(options.pictureWidth, fields.pictureWidth);
    fields.pictureHeight = FieldOr(options.pictureHeight, fields.pictureHeight);
    scanner::AreaFieldLeft(fields, false);
    if (auto problem = scanner::ApplyPictureSize(fields, preview)) return problem;
  }
  if (options.areaWidth) {
    fields.areaWidth = *options.areaWidth;
    scanner::AreaFieldLeft(fields, false);
  }
  if (options.areaHeight) {
    fields.areaHeight = *options.areaHeight;
    scanner::AreaFieldLeft(fields, true);
  }
  return std::nullopt;
}

// Stopped while a probe's reading was owed: it still comes, and is taken before the port
// closes, so the board has answered everything it was sent.
void CollectOwedReading(link::MachineLink& link) {
  link.StopRequested = false;
  try {
    link.SettleStale();
  } catch (const link::LinkAbort&) {
  }
}

}  // namespace

void AddScanCommand(CLI::App& app, ScanOptions& options) {
  CLI::App* command = app.add_subcommand(
      "scan",
      "3D Сканер: Сканировать, then Интерполировать and Сохранить в BMP (image.bmp); the probe "
      "starts over grid point (1, 1)");
  AddField(*command, "mesh-width", options.meshWidth, "Размеры сетки, X: точек (even)");
  AddField(*command, "mesh-height", options.meshHeight, "Размеры сетки, Y: точек (odd)");
  CLI::Option* areaWidth =
      AddField(*command, "area-width", options.areaWidth,
               "Область сканирования, X: мм; Y follows the picture's proportions");
  CLI::Option* areaHeight =
      AddField(*command, "area-height", options.areaHeight,
               "Область сканирования, Y: мм; X follows the picture's proportions");
  areaWidth->excludes(areaHeight);
  AddField(*command, "picture-width", options.pictureWidth,
           "Размеры изображения в пикселях, Ширина: (then Установить)");
  AddField(*command, "picture-height", options.pictureHeight,
           "Размеры изображения в пикселях, Высота: (then Установить)");
  AddBox(*command, "scan", options.scan,
         "Сканировать (ticked unless --no-scan: a dry walk with random readings)");

  CommonOptions& common = options.common;
  AddMachineOptions(*command, common, "scan with");
  command->add_option("--out-dir", common.outDir,
                      "folder for image.bmp; default: the program folder");
}

int RunScanCommand(const std::filesystem::path& programDir, const ScanOptions& options) {
  const CommonOptions& common = options.common;
  if (!common.estimate && common.port.empty() && !common.demo && common.commands.empty()) {
    std::fprintf(stderr, "vexa-cli: %s\n", kNoMachineText);
    return kBadInput;
  }
  CliJob job(programDir, common);
  CliMachine& machine = job.machine();

  // As the window opens, then the fields given here.
  scanner::ScanPreview preview(0, 0);
  scanner::ScannerFields fields =
      scanner::OpenScannerFields(scanner::ReadScannerSettings(machine.iniFile()), preview);
  if (const auto problem = TypeFields(options, fields, preview)) return job.refuse(*problem);
  const auto checked = scanner::CheckScanFields(fields, machine.settings());
  if (const auto* problem = std::get_if<scanner::ScanProblem>(&checked)) {
    machine.prompts().message(problem->caption, problem->text);
    return kBadInput;
  }
  const scanner::ScanNumbers numbers = std::get<scanner::ScanNumbers>(checked);
  // A mesh the height picture cannot be made of is refused before the probe walks it.
  if (const auto problem =
          scanner::InterpolationProblem(scanner::HeightMesh(numbers.nx, numbers.ny))) {
    machine.prompts().message(link::kWarningCaption, *problem);
    return kBadInput;
  }
  const std::filesystem::path outDir =
      common.outDir.empty() ? programDir : settings::PathFromUtf8(common.outDir);
  if (std::error_code error; !common.estimate && !std::filesystem::is_directory(outDir, error)) {
    return job.refuse("--out-dir: нет папки " + settings::PathToUtf8(outDir));
  }

  if (!common.estimate) {
    // Ctrl+C during the firmware check stops the scan before it began (kStopped).
    if (const ExitStatus status = job.connect("ST"); status != kDone) return status;
  }
  link::MachineLink& link = machine.link();
  const auto estimate =
      scanner::EstimateScan(numbers, machine.settings(), link::AwaitedTimeModel(link));
  if (common.estimate) return job.printEstimate(estimate);

  const bool scans = options.scan.ticked(true);
  auto ticked = [&machine, scans] { return scans && machine.sends(); };
  link::ScannerMoves moves(link::MotionContext(link, machine.settings(), ticked));
  std::optional<link::JobProgress> progress;
  if (const auto show = job.progressShower(); estimate && show) {
    progress.emplace(*estimate, show, link::JobClock(link));
  }
  // The scan clears StopRequested as it starts, as "Сканировать" does: a Ctrl+C that came
  // before must not be lost there.
  if (machine.stopped()) return kStopped;
  scanner::HeightMesh mesh;
  scanner::ScanRun run(scanner::ScanParts{link,
                                          moves,
                                          machine.settings(),
                                          numbers,
                                          ticked,
                                          preview,
                                          {},
                                          {},
                                          {},
                                          0,
                                          progress ? &*progress : nullptr},
                       mesh);
  const ExitStatus status = job.run(estimate, [&run] {
    run.run();
    return true;
  });
  if (status == kStopped) CollectOwedReading(link);
  if (status != kDone) return status;

  // "Интерполировать", then "Сохранить в BMP".
  const auto size = scanner::InterpolationSize(mesh, fields);
  if (const auto* problem = std::get_if<scanner::ScanProblem>(&size)) {
    machine.prompts().message(problem->caption, problem->text);
    return kBadInput;
  }
  const scanner::PictureSize& picture = std::get<scanner::PictureSize>(size);
  scanner::InterpolateHeightPicture(mesh, picture.width, picture.height, preview.image());
  if (const auto problem = scanner::WriteHeightPicture(preview.image(), outDir)) {
    return job.refuse(*problem);
  }
  machine.prompts().message(scanner::kSavedCaption, scanner::kSavedText);
  return kDone;
}

}  // namespace vexa::cli
