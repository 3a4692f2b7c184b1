#include "cli/figure_commands.h"

#include <CLI/CLI.hpp>
#include <atomic>
#include <optional>
#include <variant>

#include "cli/figure_job.h"
#include "figures/figure_selection.h"
#include "link/paced_pump.h"
#include "manual/cutter_lift.h"
#include "milling/milling_plan.h"
#include "outline/outline_plan.h"

namespace vexa::cli {

namespace {

int RunMilling(milling::MillingJobKind kind, const std::filesystem::path& programDir,
               const CommonOptions& common, const FigureOptions& options) {
  CliJob job(programDir, common);
  const StoredFields stored(job);
  const milling::MillingFieldTexts texts{FieldOr(options.width, stored("cncrez_width")),
                                         FieldOr(options.depth, stored("cncrez_depth")),
                                         FieldOr(options.diameter, stored("mill_diameter")),
                                         FieldOr(options.delay, stored("SM_mill_delay"))};
  auto loaded = LoadFigurePictures(job, "Image", "Фрезеровка невозможна.", stored("Image"));
  if (!loaded) return kBadInput;
  FigurePictures& pictures = *loaded;
  const link::MachineSettings& settings = job.machine().settings();
  const auto numbers = CheckedNumbers(
      job, milling::ReadMillingNumbers(texts), [&](const milling::MillingNumbers& n) {
        return milling::MillingRangeProblem(n, pictures.tool().width(), pictures.tool().height(),
                                            settings);
      });
  if (!numbers) return kBadInput;
  milling::MillingRequest request{kind, 0, *numbers};
  if (kind != milling::MillingJobKind::Relief) {
    const auto figure = ParseAndPick(pictures, options.figure, job.machine().prompts());
    if (!figure) return kBadInput;
    request.figure = *figure;
  }

  if (!common.estimate) {
    if (const ExitStatus status = job.connect("MT"); status != kDone) return status;
  }
  link::MachineLink& link = job.machine().link();
  const link::MillingScale scale{numbers->widthMm, numbers->depthMm, pictures.tool().width()};
  link::MillingMoves moves(
      link::MotionContext(link, settings, [&job] { return job.machine().sends(); }),
      [scale] { return scale; });
  milling::MillingState state;
  const auto estimate = PlanOrNone(link, [&](const link::TimeModel& model) {
    const std::atomic<bool> never{false};
    return milling::PlanMilling(request, {pictures.snapshot(), state, moves.record.place()},
                                options.returnToStart, settings, link, model, never);
  });
  if (common.estimate) return job.printEstimate(estimate);

  // Stopped, the cutter comes up by the whole depth: out of the work wherever it stands.
  job.machine().prompts().setLiftCutter(
      [&] { manual::LiftCutter(link, settings, moves.record.replyBuffer, texts.depth, false); });
  const milling::MillingParts parts{
      moves,
      settings,
      pictures.figures,
      pictures.tool(),
      state,
      numbers->plungeDelay,
      milling::CutterSizeOf(numbers->diameterMm, numbers->widthMm, pictures.tool().width()),
      [&options] { return options.returnToStart; },
      [&job] { job.machine().pump(); },
      [] {}};
  return RunFollowed(
      job, moves, estimate,
      [&] {
        return StartJobGcode(job, gcode::JobGcode::Tool::Cutter, milling::MillingJobName(kind),
                             pictures.picture.path(), texts.width,
                             milling::MillingGcodeNumbers(texts, *numbers), moves.listener);
      },
      [&] {
        milling::RunMilling(request, parts, pictures.source(), pictures.working(),
                            [&] { pictures.parse(); });
      },
      milling::kMillingDoneText);
}

int RunOutline(outline::OutlineJobKind kind, const std::filesystem::path& programDir,
               const CommonOptions& common, const FigureOptions& options) {
  CliJob job(programDir, common);
  const StoredFields stored(job);
  const outline::OutlineFieldTexts texts{FieldOr(options.width, stored("Etching2_width")),
                                         FieldOr(options.diameter, stored("Etching2_diameter")),
                                         FieldOr(options.delay, stored("Etching2_delay"))};
  auto loaded =
      LoadFigurePictures(job, "Etching2_image", "Гравировка невозможна.", stored("Etching2_image"));
  if (!loaded) return kBadInput;
  FigurePictures& pictures = *loaded;
  const link::MachineSettings& settings = job.machine().settings();
  const auto numbers = CheckedNumbers(
      job, outline::ReadOutlineNumbers(texts, true), [&](const outline::OutlineNumbers& n) {
        return outline::OutlineRangeProblem(n, pictures.tool().width(), pictures.tool().height(),
                                            settings);
      });
  if (!numbers) return kBadInput;
  outline::OutlineRequest request{kind, 0, *numbers};
  if (kind != outline::OutlineJobKind::Fill) {
    const auto figure = ParseAndPick(pictures, options.figure, job.machine().prompts());
    if (!figure) return kBadInput;
    request.figure = *figure;
  }

  if (!common.estimate) {
    if (const ExitStatus status = job.connect("OT"); status != kDone) return status;
  }
  link::MachineLink& link = job.machine().link();
  const link::PlaneScale scale{numbers->widthMm, pictures.tool().width()};
  link::OutlineMoves moves(
      link::MotionContext(link, settings, [&job] { return job.machine().sends(); }),
      [scale] { return scale; }, link::OutlineMoves::WhenIdle::Continue);
  outline::OutlineState state;
  const auto estimate = PlanOrNone(link, [&](const link::TimeModel& model) {
    const std::atomic<bool> never{false};
    return outline::PlanOutline(request, {pictures.snapshot(), state, moves.record.place()},
                                options.returnToStart, settings, link, model, never);
  });
  if (common.estimate) return job.printEstimate(estimate);

  auto pump = std::make_shared<link::PacedPump>(link.pump());
  const outline::OutlineParts parts{moves,
                                    settings,
                                    pictures.figures,
                                    pictures.tool(),
                                    state,
                                    numbers->laserDelay,
                                    outline::SpotRadiusOf(*numbers, pictures.tool().width()),
                                    [&options] { return options.returnToStart; },
                                    [] {},
                                    [pump] { (*pump)(); },
                                    [] {}};
  return RunFollowed(
      job, moves, estimate,
      [&] {
        return StartJobGcode(job, gcode::JobGcode::Tool::Laser, outline::OutlineJobName(kind),
                             pictures.picture.path(), texts.width,
                             outline::OutlineGcodeNumbers(texts, *numbers), moves.listener);
      },
      [&] {
        outline::RunOutline(request, parts, pictures.source(), pictures.working(),
                            [&] { pictures.parse(); });
      },
      outline::kOutlineDoneText);
}

void AddWidthAndTool(CLI::App& command, FigureOptions& options, const std::string& tool,
                     const std::string& delay) {
  AddField(command, "width", options.width, "Ширина, мм: the finished picture's width");
  AddField(command, "diameter", options.diameter, tool);
  AddField(command, "delay", options.delay, delay);
  command.add_flag("--return", options.returnToStart, "С возвратом в исх.");
}

}  // namespace

void AddFigureCommands(CLI::App& app, FigureOptions& options) {
  const std::string millDelay = "Задержка между шагами при фрез-вке, микросек.";
  CLI::App* mill = app.add_subcommand("mill",
                                      "Фрезеровка: mill every dark figure (Все), or one "
                                      "(Выделенная, --figure N)");
  AddWidthAndTool(*mill, options, "Диаметр фрезы, мм", millDelay);
  AddField(*mill, "depth", options.depth, "Глубина:, мм of black");
  mill->add_option("--figure", options.figure, "Выделенная: the figure's number in the tree")
      ->check(CLI::PositiveNumber);
  CLI::App* relief = app.add_subcommand("relief", "Фрезеровка: Резать 3D, the relief by depth");
  AddWidthAndTool(*relief, options, "Диаметр фрезы, мм", millDelay);
  AddField(*relief, "depth", options.depth, "Глубина:, мм of black");

  const std::string laserDelay = "Задержка между шагами при грав-вке, микросек.";
  CLI::App* outline =
      app.add_subcommand("outline",
                         "Обведение силуэтов: the laser round every dark figure (Все), or one "
                         "(Выделенная, --figure N)");
  AddWidthAndTool(*outline, options, "Диаметр пятна, мм", laserDelay);
  outline->add_option("--figure", options.figure, "Выделенная: the figure's number in the tree")
      ->check(CLI::PositiveNumber);
  CLI::App* fill = app.add_subcommand("fill",
                                      "Обведение силуэтов: Грав-ть всё, the dark figures "
                                      "filled");
  AddWidthAndTool(*fill, options, "Диаметр пятна, мм", laserDelay);
}

int RunFigureCommand(const std::string& command, const std::filesystem::path& programDir,
                     const CommonOptions& common, const FigureOptions& options) {
  if (command == "mill") {
    return RunMilling(
        options.figure > 0 ? milling::MillingJobKind::Selected : milling::MillingJobKind::All,
        programDir, common, options);
  }
  if (command == "relief")
    return RunMilling(milling::MillingJobKind::Relief, programDir, common, options);
  if (command == "outline") {
    return RunOutline(
        options.figure > 0 ? outline::OutlineJobKind::Selected : outline::OutlineJobKind::All,
        programDir, common, options);
  }
  return RunOutline(outline::OutlineJobKind::Fill, programDir, common, options);
}

}  // namespace vexa::cli
