#include "scanner/scanner_fields.h"

#include "link/prompts.h"
#include "picture/bmp_file.h"
#include "scanner/height_picture.h"
#include "settings/path_text.h"
#include "settings/vexa_error.h"

namespace vexa::scanner {

ScannerFields OpenScannerFields(const ScannerSettings& stored, ScanPreview& preview) {
  ScannerFields fields{stored.meshWidth,    stored.meshHeight,   stored.areaWidth, "",
                       stored.pictureWidth, stored.pictureHeight};
  // The stored size is one the box can take (ReadScannerSettings made sure).
  const auto size =
      std::get<PictureSize>(ReadPictureSize(fields.pictureWidth, fields.pictureHeight));
  preview.setBoxSize(size.width + kBoxMargin, size.height + kBoxMargin);
  AreaFieldLeft(fields, false);
  DrawFieldGrid(fields, preview);
  return fields;
}

void AreaFieldLeft(ScannerFields& fields, bool heightGiven) {
  const auto text =
      heightGiven ? CoupledAreaText(fields.pictureWidth, fields.pictureHeight, fields.areaHeight)
                  : CoupledAreaText(fields.pictureHeight, fields.pictureWidth, fields.areaWidth);
  if (text) (heightGiven ? fields.areaWidth : fields.areaHeight) = *text;
}

void DragPreviewBox(ScannerFields& fields, ScanPreview& preview, BoxSize wanted) {
  const DraggedBox dragged = DragBox({preview.boxWidth(), preview.boxHeight()}, wanted);
  // The picture is always a whole number of grid steps.
  const int nx = GridPointsOf(fields.meshWidth);
  const int ny = GridPointsOf(fields.meshHeight);
  if (dragged.widthTaken && nx >= 2) {
    fields.pictureWidth = std::to_string(PictureSideForBox(dragged.box.width, nx));
  }
  if (dragged.heightTaken && ny >= 2) {
    fields.pictureHeight = std::to_string(PictureSideForBox(dragged.box.height, ny));
  }
  preview.setBoxSize(dragged.box.width, dragged.box.height);
  DrawFieldGrid(fields, preview);
}

std::optional<std::string> ApplyPictureSize(const ScannerFields& fields, ScanPreview& preview) {
  const auto size = ReadPictureSize(fields.pictureWidth, fields.pictureHeight);
  if (const auto* problem = std::get_if<std::string>(&size)) return *problem;
  const PictureSize& picture = std::get<PictureSize>(size);
  preview.setBoxSize(picture.width + kBoxMargin, picture.height + kBoxMargin);
  DrawFieldGrid(fields, preview);
  return std::nullopt;
}

void DrawFieldGrid(const ScannerFields& fields, ScanPreview& preview) {
  preview.DrawGrid(GridPointsOf(fields.meshWidth), GridPointsOf(fields.meshHeight));
}

std::variant<ScanNumbers, ScanProblem> CheckScanFields(const ScannerFields& fields,
                                                       const link::MachineSettings& settings) {
  const auto numbers = ReadScanNumbers(fields.scanTexts());
  if (const auto* read = std::get_if<ScanNumbers>(&numbers)) {
    if (auto problem = ScanRangeProblem(*read, settings)) return *problem;
  }
  return numbers;
}

std::variant<PictureSize, ScanProblem> InterpolationSize(const HeightMesh& mesh,
                                                         const ScannerFields& fields) {
  if (const auto problem = InterpolationProblem(mesh)) {
    return ScanProblem{link::kWarningCaption, *problem};
  }
  // The picture takes the size of the scanned mesh, whatever the mesh fields say now.
  const auto size = ReadPictureSize(fields.pictureWidth, fields.pictureHeight);
  if (const auto* problem = std::get_if<std::string>(&size)) {
    return ScanProblem{link::kErrorCaption, *problem};
  }
  return std::get<PictureSize>(size);
}

std::optional<std::string> WriteHeightPicture(const picture::PixelBuffer& box,
                                              const std::filesystem::path& folder) {
  const std::filesystem::path path = folder / kHeightPictureFileName;
  try {
    picture::WriteBmpFile(box, path);
  } catch (const settings::VexaError&) {
    return "Не удалось записать файл " + settings::PathToUtf8(path) + ".";
  }
  return std::nullopt;
}

}  // namespace vexa::scanner
