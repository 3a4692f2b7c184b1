#include "cli/figure_job.h"

#include "figures/figure_selection.h"
#include "settings/path_text.h"
#include "settings/settings_keys.h"

namespace vexa::cli {

std::optional<FigurePictures> LoadFigurePictures(CliJob& job, const std::string& pathKey,
                                                 const std::string& refusalLine,
                                                 const std::string& storedPath) {
  picture::WindowPicture& picture =
      job.openPicture(pathKey, figures::kFigureCopies, refusalLine, storedPath);
  if (!job.intake([&] { return picture.LoadWorkPictureOrReport(picture.path()); })) {
    return std::nullopt;
  }
  return FigurePictures{picture, {}};
}

std::optional<std::int32_t> ParseAndPick(FigurePictures& pictures, int figure,
                                         link::Prompts& prompts) {
  pictures.parse();
  if (figure <= 0) {
    if (!figures::CheckFigureTree(pictures.figures.tree, prompts)) return std::nullopt;
    return 0;
  }
  // The window picks its figure in the tree; here it is named by its number, and a number the
  // tree does not hold is refused as the window refuses no selection.
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

StoredFields::StoredFields(CliJob& job)
    : ini_(job.machine().iniFile().ReadSettings()), programDir_(job.programDir()) {}

std::string StoredFields::operator()(const std::string& key) const {
  return ini_.ReadSetting(key, settings::BuiltinDefault(key, programDir_));
}

std::unique_ptr<gcode::JobGcode> StartJobGcode(CliJob& job, gcode::JobGcode::Tool tool,
                                               const std::string& jobName,
                                               const std::string& picturePath,
                                               const std::string& widthText,
                                               const std::string& numbers,
                                               link::MoveListener& slot) {
  const auto path = job.gcodePath();
  if (!path) return nullptr;
  return std::make_unique<gcode::JobGcode>(
      *path,
      gcode::JobGcodeHeader(jobName, settings::PathFromUtf8(picturePath), widthText, numbers), tool,
      gcode::Calibration::Of(job.machine().settings()), job.standardOptions(), slot);
}

}  // namespace vexa::cli
