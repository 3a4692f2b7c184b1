#include "cli/figure_commands.h"

#include <CLI/CLI.hpp>
#include <atomic>
#include <optional>
#include <variant>

#include "cli/cli_job.h"
#include "figures/figure_selection.h"
#include "figures/figure_snapshot.h"
#include "figures/parse_figures.h"
#include "gcode/job_gcode.h"
#include "link/job_stream.h"
#include "link/paced_pump.h"
#include "manual/cutter_lift.h"
#include "milling/milling_plan.h"
#include "outline/outline_plan.h"
#include "settings/path_text.h"
#include "settings/settings_keys.h"

namespace vexa::cli {

namespace {

// The window's pictures and figures, loaded as the window loads them.
struct FigurePictures {
  picture::WindowPicture& picture;
  figures::FigureData figures;

  picture::PixelBuffer& source() { return picture.copy(figures::kSourceCopy); }
  picture::PixelBuffer& working() { return picture.copy(figures::kWorkingCopy); }
  picture::PixelBuffer& tool() { return picture.copy(figures::kToolCopy); }
  void parse() { figures::ParseFigures(working(), figures); }  // "Разобрать"
  figures::FigureSnapshot snapshot() {
    return figures::TakeSnapshot(source(), working(), tool(), figures);
  }
};

// "Выделенная" picks its figure in the tree; here it is named by its number. A number the tree
// does not hold is refused as the window refuses no selection.
std::optional<std::int32_t> PickFigure(const FigurePictures& pictures, int figure,
                                       link::Prompts& prompts) {
  const auto picked =
      figures::CheckSelectedFigure(pictures.figures.tree, "P" + std::to_string(figure), prompts);
  if (!picked) return std::nullopt;
  if (pictures.figures.tree.nodeOfFigure(*picked) < 0) {
    prompts.message(link::kErrorCaption, "--figure " + std::to_string(figure) +
                                             ": такой фигуры нет в дереве разобранной картинки");
    return std::nullopt;
  }
  return picked;
}

// Runs a followed figure job: its progress on the terminal, its G-code, its end in a line.
template <typename Moves>
ExitStatus RunFollowed(CliJob& job, Moves& moves, const std::optional<link::JobEstimate>& estimate,
                       const std::function<std::unique_ptr<gcode::JobGcode>()>& startGcode,
                       const std::function<void()>& body, const std::string& done) {
  link::MachineLink& link = job.machine().link();
  std::optional<link::JobProgress> progress;
  if (const auto show = job.progressShower(); estimate && show) {
    progress.emplace(*estimate, show, link::JobClock(link));
  }
  const std::int64_t start = link::SystemSteadyNanos();
  const ExitStatus status = job.run(estimate, [&] {
    link::JobStream stream = link::JobStream::Running(0, progress ? &*progress : nullptr, nullptr);
    link::StreamScope followed(moves.stream, stream);
    const auto gcode = startGcode();
    body();
    if (gcode) gcode->finish();
    if (progress) progress->finish();
    return true;
  });
  if (status == kDone) {
    const std::int64_t seconds = (link::SystemSteadyNanos() - start + 500'000'000) / 1'000'000'000;
    job.machine().prompts().message(link::kDefaultCaption, link::JobDoneText(done, seconds));
  }
  return status;
}

int RunMilling(milling::MillingJobKind kind, const std::filesystem::path& programDir,
               const CommonOptions& common, const FigureOptions& options) {
  CliJob job(programDir, common);
  const settings::SettingsSnapshot ini = job.machine().iniFile().ReadSettings();
  auto stored = [&](const std::string& key) {
    return ini.ReadSetting(key, settings::BuiltinDefault(key, programDir));
  };
  const milling::MillingFieldTexts texts{FieldOr(options.width, stored("cncrez_width")),
                                         FieldOr(options.depth, stored("cncrez_depth")),
                                         FieldOr(options.diameter, stored("mill_diameter")),
                                         FieldOr(options.delay, stored("SM_mill_delay"))};
  FigurePictures pictures{
      job.openPicture("Image", figures::kFigureCopies, "Фрезеровка невозможна.", stored("Image")),
      {}};
  if (!pictures.picture.LoadWorkPictureOrReport(pictures.picture.path())) return kBadInput;
  const link::MachineSettings& settings = job.machine().settings();
  const auto read = milling::ReadMillingNumbers(texts);
  if (const auto* problem = std::get_if<std::string>(&read)) return job.refuse(*problem);
  const milling::MillingNumbers numbers = std::get<milling::MillingNumbers>(read);
  if (const auto problem = milling::MillingRangeProblem(numbers, pictures.tool().width(),
                                                        pictures.tool().height(), settings)) {
    return job.refuse(*problem);
  }
  milling::MillingRequest request{kind, 0, numbers};
  if (kind != milling::MillingJobKind::Relief) {
    pictures.parse();
    if (kind == milling::MillingJobKind::Selected) {
      const auto figure = PickFigure(pictures, options.figure, job.machine().prompts());
      if (!figure) return kBadInput;
      request.figure = *figure;
    } else if (!figures::CheckFigureTree(pictures.figures.tree, job.machine().prompts())) {
      return kBadInput;
    }
  }

  if (!common.estimate) {
    if (const ExitStatus status = job.connect("MT"); status != kDone) return status;
  }
  link::MachineLink& link = job.machine().link();
  const link::MillingScale scale{numbers.widthMm, numbers.depthMm, pictures.tool().width()};
  link::MillingMoves moves(
      link::MotionContext(link, settings, [&job] { return job.machine().sends(); }),
      [scale] { return scale; });
  milling::MillingState state;
  std::optional<link::JobEstimate> estimate;
  try {
    const std::atomic<bool> never{false};
    estimate = milling::PlanMilling(
        request, {pictures.snapshot(), state, moves.record.place()}, options.returnToStart,
        settings, link, link::TimeModel(link.pace, link.speed, link::InFlight::One), never);
  } catch (const link::PlanRefused&) {
  }
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
      numbers.plungeDelay,
      milling::CutterSizeOf(numbers.diameterMm, numbers.widthMm, pictures.tool().width()),
      [&options] { return options.returnToStart; },
      [&job] { job.machine().pump(); },
      [&job] { job.stepDone(); }};
  return RunFollowed(
      job, moves, estimate,
      [&]() -> std::unique_ptr<gcode::JobGcode> {
        const auto path = job.gcodePath();
        if (!path) return nullptr;
        return std::make_unique<gcode::JobGcode>(
            *path,
            gcode::JobGcodeHeader(milling::MillingJobName(kind),
                                  settings::PathFromUtf8(pictures.picture.path()), texts.width,
                                  milling::MillingGcodeNumbers(texts, numbers)),
            gcode::JobGcode::Tool::Cutter, gcode::Calibration::Of(settings), job.standardOptions(),
            moves.listener);
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
  const settings::SettingsSnapshot ini = job.machine().iniFile().ReadSettings();
  auto stored = [&](const std::string& key) {
    return ini.ReadSetting(key, settings::BuiltinDefault(key, programDir));
  };
  const outline::OutlineFieldTexts texts{FieldOr(options.width, stored("Etching2_width")),
                                         FieldOr(options.diameter, stored("Etching2_diameter")),
                                         FieldOr(options.delay, stored("Etching2_delay"))};
  FigurePictures pictures{job.openPicture("Etching2_image", figures::kFigureCopies,
                                          "Гравировка невозможна.", stored("Etching2_image")),
                          {}};
  if (!pictures.picture.LoadWorkPictureOrReport(pictures.picture.path())) return kBadInput;
  const link::MachineSettings& settings = job.machine().settings();
  const auto read = outline::ReadOutlineNumbers(texts, true);
  if (const auto* problem = std::get_if<std::string>(&read)) return job.refuse(*problem);
  const outline::OutlineNumbers numbers = std::get<outline::OutlineNumbers>(read);
  if (const auto problem = outline::OutlineRangeProblem(numbers, pictures.tool().width(),
                                                        pictures.tool().height(), settings)) {
    return job.refuse(*problem);
  }
  outline::OutlineRequest request{kind, 0, numbers};
  if (kind != outline::OutlineJobKind::Fill) {
    pictures.parse();
    if (kind == outline::OutlineJobKind::Selected) {
      const auto figure = PickFigure(pictures, options.figure, job.machine().prompts());
      if (!figure) return kBadInput;
      request.figure = *figure;
    } else if (!figures::CheckFigureTree(pictures.figures.tree, job.machine().prompts())) {
      return kBadInput;
    }
  }

  if (!common.estimate) {
    if (const ExitStatus status = job.connect("OT"); status != kDone) return status;
  }
  link::MachineLink& link = job.machine().link();
  const link::PlaneScale scale{numbers.widthMm, pictures.tool().width()};
  link::OutlineMoves moves(
      link::MotionContext(link, settings, [&job] { return job.machine().sends(); }),
      [scale] { return scale; }, link::OutlineMoves::WhenIdle::Continue);
  outline::OutlineState state;
  std::optional<link::JobEstimate> estimate;
  try {
    const std::atomic<bool> never{false};
    estimate = outline::PlanOutline(
        request, {pictures.snapshot(), state, moves.record.place()}, options.returnToStart,
        settings, link, link::TimeModel(link.pace, link.speed, link::InFlight::One), never);
  } catch (const link::PlanRefused&) {
  }
  if (common.estimate) return job.printEstimate(estimate);

  auto pump = std::make_shared<link::PacedPump>(link.pump());
  const outline::OutlineParts parts{moves,
                                    settings,
                                    pictures.figures,
                                    pictures.tool(),
                                    state,
                                    numbers.laserDelay,
                                    outline::SpotRadiusOf(numbers, pictures.tool().width()),
                                    [&options] { return options.returnToStart; },
                                    [] {},
                                    [pump] { (*pump)(); },
                                    [&job] { job.stepDone(); }};
  return RunFollowed(
      job, moves, estimate,
      [&]() -> std::unique_ptr<gcode::JobGcode> {
        const auto path = job.gcodePath();
        if (!path) return nullptr;
        return std::make_unique<gcode::JobGcode>(
            *path,
            gcode::JobGcodeHeader(outline::OutlineJobName(kind),
                                  settings::PathFromUtf8(pictures.picture.path()), texts.width,
                                  outline::OutlineGcodeNumbers(texts, numbers)),
            gcode::JobGcode::Tool::Laser, gcode::Calibration::Of(settings), job.standardOptions(),
            moves.listener);
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
