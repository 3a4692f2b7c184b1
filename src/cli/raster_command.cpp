#include "cli/raster_command.h"

#include <CLI/CLI.hpp>
#include <cstdio>
#include <limits>
#include <variant>

#include "cli/cli_job.h"
#include "picture/invert_picture.h"
#include "picture/pseudo_tone.h"
#include "picture/raster_picture.h"
#include "raster/engraving_settings.h"
#include "raster/raster_job.h"
#include "raster/raster_mode.h"
#include "raster/run_estimate.h"
#include "raster/run_numbers.h"
#include "wood/wood_job.h"

namespace vexa::cli {

namespace {

struct ModeDesign {
  raster::EngravingKeys keys;
  std::string tag;
  raster::DwellFieldNames names;
  bool wood = false;
};

ModeDesign DesignOf(const std::string& mode) {
  if (mode == "wood") return {raster::WoodKeys(), "BT", {"задержки для чёрного", ""}, true};
  const raster::RasterMode laser =
      raster::RasterModeFor(mode == "impact" ? raster::kImpactHeadContext : "");
  return {raster::LaserKeys(laser.keyPrefix), "PT", {laser.blackDwellName, laser.whiteDwellName}};
}

}  // namespace

void AddRasterCommand(CLI::App& app, RasterOptions& options) {
  CLI::App* command = app.add_subcommand(
      "raster",
      "Лазерная гравировка: the laser raster job (also the impact head and wood burning)");
  command
      ->add_option("--mode", options.mode,
                   "laser (Лазер), impact (Ударная головка) or wood (Гравировка нитью по дереву)")
      ->check(CLI::IsMember({"laser", "impact", "wood"}));
  AddField(*command, "delay", options.delay,
           "Задержка между шагами при грав-ке, микросек (black), or the wood's longest delay");
  AddField(*command, "min", options.min, "Нижний порог лазера, микросек (white; not for wood)");
  AddField(*command, "diameter", options.diameter, "Диаметр пятна, мм");
  AddField(*command, "width", options.width, "Ширина, мм: the finished picture's width");
  AddBox(*command, "pseudo-tone", options.pseudoTone, "Псевдо- тонирование (not for wood)");
  AddBox(*command, "invert", options.invert, "Инвер- тирование (not for wood)");
  command->add_flag("--double-pass", options.doublePass, "Двойной проход (not for wood)");
  command->add_flag("--return", options.returnToStart, "С возвратом в исх.");
}

int RunRasterCommand(const std::filesystem::path& programDir, const CommonOptions& common,
                     const RasterOptions& options) {
  const ModeDesign design = DesignOf(options.mode);
  CliJob job(programDir, common);
  if (design.wood && !common.gcode.empty()) {
    return job.refuse("--gcode: гравировка нитью по дереву не записывает G-код");
  }
  raster::EngravingSettings stored =
      raster::ReadEngravingSettings(job.machine().iniFile(), design.keys, programDir);

  picture::WindowPicture& picture =
      job.openPicture(design.keys.key("image"), 1, "Гравировка невозможна.", stored.image);
  picture::RasterPicture raster(picture, job.machine().settings(), job.machine().prompts());
  const bool pseudo = !design.wood && options.pseudoTone.ticked(stored.pseudo);
  const bool invert = !design.wood && options.invert.ticked(stored.invert);
  raster.setToneSteps([pseudo, invert](picture::PixelBuffer& fitted) {
    if (pseudo) picture::PseudoTone(fitted);
    if (invert) picture::InvertPicture(fitted);
  });
  // The window would put its default in place of a size that is no number; here it is refused.
  for (const auto& [name, text] :
       {std::pair{"diameter", options.diameter}, {"width", options.width}}) {
    if (const auto problem = PositiveFieldProblem(name, text)) return job.refuse(*problem);
  }
  // As the window opens: the stored fields, then the picture fitted once; a field given here is
  // then typed in and left, as a user would.
  const bool loaded = job.intake([&] {
    raster.setLoading(true);
    raster.fieldEdited(picture::SizeField::SpotDiameter, stored.diameter);
    raster.fieldEdited(picture::SizeField::TargetWidth, stored.width);
    raster.FinishOpening();
    if (options.diameter) {
      raster.fieldEdited(picture::SizeField::SpotDiameter, *options.diameter);
      raster.SpotDiameterLeft();
    }
    if (options.width) {
      raster.fieldEdited(picture::SizeField::TargetWidth, *options.width);
      raster.TargetWidthLeft();
    }
    return picture.hasPicture();
  });
  if (!loaded) return kBadInput;

  raster::RunNumberTexts texts;
  texts.blackDwell = FieldOr(options.delay, stored.delay);
  if (!design.wood) texts.whiteDwell = FieldOr(options.min, stored.min);
  texts.targetWidth = raster.text(picture::SizeField::TargetWidth);
  texts.targetHeight = raster.text(picture::SizeField::TargetHeight);
  const auto read = raster::ReadRunNumbers(texts, design.names);
  if (const auto* problem = std::get_if<std::string>(&read)) return job.refuse(*problem);
  const raster::RunNumbers numbers = std::get<raster::RunNumbers>(read);
  if (const auto problem = raster::RunRangeProblem(numbers, picture.width(), picture.height(),
                                                   job.machine().settings())) {
    return job.refuse(*problem);
  }

  if (!common.estimate) {
    if (const ExitStatus status = job.connect(design.tag); status != kDone) return status;
  }
  link::MachineLink& link = job.machine().link();
  const link::PlaneScale scale{numbers.targetWidth, picture.width()};
  link::RasterMoves moves(
      link::MotionContext(link, job.machine().settings(), [&job] { return job.machine().sends(); }),
      [scale] { return scale; });
  const bool doublePass = !design.wood && options.doublePass;
  raster::RunParts parts{
      link,
      moves,
      job.machine().settings(),
      picture.copy(),
      [&job] { job.machine().pump(); },
      [] {},
      {[&job] { return job.machine().sends(); }, [] { return false; },
       [&options] { return options.returnToStart; }, [doublePass] { return doublePass; }},
      numbers,
      raster::RunRules{},
      job.gcodePath(),
      link::SystemWholeSeconds,
      job.machine().sends()};
  if (design.wood) {
    wood::UseWoodRules(parts);
  } else {
    raster::UseLaserRules(parts);
  }
  parts.dialect = job.dialect();
  parts.standard = job.standardOptions();
  parts.estimate = raster::EstimateRun(parts.bitmap, numbers, parts.rules, job.machine().settings(),
                                       {doublePass, options.returnToStart},
                                       raster::RasterTimeModel(link.pace, link.speed));
  if (common.estimate) return job.printEstimate(parts.estimate);
  parts.showProgress = job.progressShower();
  return job.run(parts.estimate, [&] {
    if (design.wood) {
      wood::WoodJob(std::move(parts), raster);
      return true;
    }
    return raster::RasterJob(std::move(parts));
  });
}

}  // namespace vexa::cli
