#pragma once
// The scanner window's fields as text and its preview box, and what the window does with them
// around the scan: opening with the stored texts, leaving a field, sizing the box, the scan's
// check, "Интерполировать" and "Сохранить в BMP". The window and vexa-cli take the same steps.

#include <filesystem>
#include <optional>
#include <string>
#include <variant>

#include "link/machine_settings.h"
#include "picture/pixel_buffer.h"
#include "scanner/height_mesh.h"
#include "scanner/picture_size.h"
#include "scanner/scan_numbers.h"
#include "scanner/scan_preview.h"
#include "scanner/scanner_settings.h"

namespace vexa::scanner {

inline constexpr const char* kHeightPictureFileName = "image.bmp";
inline constexpr const char* kSavedCaption = "Сохранение";
inline constexpr const char* kSavedText = "Изображение сохранено";

struct ScannerFields {
  std::string meshWidth;      // Text3
  std::string meshHeight;     // Text4
  std::string areaWidth;      // Text8
  std::string areaHeight;     // Text9
  std::string pictureWidth;   // Text6
  std::string pictureHeight;  // Text7

  ScanFieldTexts scanTexts() const { return {meshWidth, meshHeight, areaWidth, areaHeight}; }
};

// As the window opens: the stored texts, the area height derived from the width, the box sized
// to the stored picture and the grid drawn in it.
ScannerFields OpenScannerFields(const ScannerSettings& stored, ScanPreview& preview);

// Leaving the area width or a picture size field (`heightGiven` false), or the area height
// (true): the other area side follows, so the area keeps the picture's proportions.
void AreaFieldLeft(ScannerFields& fields, bool heightGiven);

// The box dragged to `wanted` (after a mesh field was left: the box as it stands). Each side
// taken sets its picture field in whole grid steps; the grid is drawn anew.
void DragPreviewBox(ScannerFields& fields, ScanPreview& preview, BoxSize wanted);

// "Установить": the box sized to the picture fields and the grid drawn, or the message naming
// the bad field (nothing changes then).
std::optional<std::string> ApplyPictureSize(const ScannerFields& fields, ScanPreview& preview);

// The grid of the mesh fields as they stand.
void DrawFieldGrid(const ScannerFields& fields, ScanPreview& preview);

// "Сканировать": the scan's numbers, or the message that refuses it before anything moves.
std::variant<ScanNumbers, ScanProblem> CheckScanFields(const ScannerFields& fields,
                                                       const link::MachineSettings& settings);

// "Интерполировать": the size the picture of `mesh` takes, or why there is none.
std::variant<PictureSize, ScanProblem> InterpolationSize(const HeightMesh& mesh,
                                                         const ScannerFields& fields);

// "Сохранить в BMP": the whole box, margins included, as image.bmp in `folder`; the message
// when the file cannot be written.
std::optional<std::string> WriteHeightPicture(const picture::PixelBuffer& box,
                                              const std::filesystem::path& folder);

}  // namespace vexa::scanner
