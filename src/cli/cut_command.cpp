#include "cli/cut_command.h"

#include <CLI/CLI.hpp>
#include <atomic>
#include <variant>

#include "cli/figure_job.h"
#include "cutting/cutting_job.h"
#include "cutting/cutting_numbers.h"
#include "cutting/cutting_plan.h"
#include "cutting/processing_chain.h"
#include "link/paced_pump.h"
#include "settings/path_text.h"

namespace vexa::cli {

void AddCutCommand(CLI::App& app, CutOptions& options) {
  CLI::App* cut = app.add_subcommand(
      "cut", "Резка/гравировка по рисунку: Обработать (the line picture, neuro.bmp), then Резать");
  AddField(*cut, "width", options.width, "Ширина, мм: the finished picture's width");
  AddField(*cut, "delay", options.delay, "Задержка между шагами при грав-вке, микросек.");
  cut->add_flag("--return", options.returnToStart, "С возвратом в исх.");
}

int RunCutCommand(const std::filesystem::path& programDir, const CommonOptions& common,
                  const CutOptions& options) {
  CliJob job(programDir, common);
  const StoredFields stored(job);
  const std::string widthText = FieldOr(options.width, stored("Etching9_width"));
  const std::string delayText = FieldOr(options.delay, stored("Etching9_delay"));
  auto loaded =
      LoadFigurePictures(job, "Etching9_image", "Гравировка невозможна.", stored("Etching9_image"));
  if (!loaded) return kBadInput;
  FigurePictures& pictures = *loaded;
  const link::MachineSettings& settings = job.machine().settings();
  // The fields are checked before the chain's minutes, not after them.
  const auto checked =
      CheckedNumbers(job, cutting::ReadCuttingNumbers(widthText, delayText),
                     [&](const cutting::CuttingNumbers& n) {
                       return cutting::CuttingRangeProblem(n, pictures.picture.width(),
                                                           pictures.picture.height(), settings);
                     });
  if (!checked) return kBadInput;
  const cutting::CuttingNumbers numbers = *checked;

  const cutting::CuttingPictures cuttingPictures{
      pictures.working(), pictures.picture.copy(figures::kSelectionCopy), pictures.tool()};
  cutting::ProcessingParts processing{programDir, job.machine().prompts(), cuttingPictures, {}, {}};
  if (!common.outDir.empty()) processing.resultDir = settings::PathFromUtf8(common.outDir);
  processing.display.keepAlive = [&job] { job.machine().pump(); };
  if (!cutting::ProcessPicture(processing)) return kBadInput;
  if (job.machine().stopped()) return kStopped;

  if (!common.estimate) {
    if (const ExitStatus status = job.connect("OT"); status != kDone) return status;
  }
  link::MachineLink& link = job.machine().link();
  const link::PlaneScale scale{numbers.widthMm, pictures.picture.width()};
  link::OutlineMoves moves(
      link::MotionContext(link, settings, [&job] { return job.machine().sends(); }),
      [scale] { return scale; }, link::OutlineMoves::WhenIdle::Sleep);
  const auto estimate = PlanOrNone(link, [&](const link::TimeModel& model) {
    const std::atomic<bool> never{false};
    return cutting::PlanCutting(numbers, {pictures.snapshot(), moves.record.place()},
                                options.returnToStart, settings, link, model, never);
  });
  if (common.estimate) return job.printEstimate(estimate);

  auto pump = std::make_shared<link::PacedPump>(link.pump());
  cutting::CuttingJob cutting({moves, settings, job.machine().prompts(), cuttingPictures,
                               numbers.stepDelay, [&options] { return options.returnToStart; },
                               [] {}, [pump] { (*pump)(); }, [] { return false; },
                               [] {}});
  return RunFollowed(
      job, moves, estimate,
      [&] {
        return StartJobGcode(job, gcode::JobGcode::Tool::Laser, cutting::kCuttingJobName,
                             pictures.picture.path(), widthText,
                             cutting::CuttingGcodeNumbers(numbers), moves.listener);
      },
      [&] { cutting.CutByPicture(); }, cutting::kCuttingDoneText);
}

}  // namespace vexa::cli
