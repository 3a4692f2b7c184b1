#include "scanner/scan_numbers.h"

#include <algorithm>
#include <optional>

#include "link/prompts.h"
#include "link/step_count.h"
#include "settings/number_checks.h"
#include "settings/settings.h"

namespace vexa::scanner {

int GridPointsOf(std::string_view text) {
  const std::optional<int> points = settings::ParseInteger(text);
  if (!points || *points < 0) return 0;
  return std::min(*points, kMaxMeshPoints);
}

std::variant<ScanNumbers, ScanProblem> ReadScanNumbers(const ScanFieldTexts& texts) {
  const std::optional<int> nx = settings::ParseInteger(texts.meshWidth);
  if (!nx) return ScanProblem{kMeshCaption, kMeshWidthRangeText};
  if (*nx % 2 != 0) return ScanProblem{kMeshCaption, kOddMeshWidthText};
  const std::optional<int> ny = settings::ParseInteger(texts.meshHeight);
  if (!ny) return ScanProblem{kMeshCaption, kMeshHeightRangeText};
  if (*ny % 2 != 1) return ScanProblem{kMeshCaption, kEvenMeshHeightText};
  if (*nx < 2 || *nx > kMaxMeshPoints) return ScanProblem{kMeshCaption, kMeshWidthRangeText};
  if (*ny > kMaxMeshPoints) return ScanProblem{kMeshCaption, kMeshHeightRangeText};

  ScanNumbers numbers{*nx, *ny, 0, 0};
  const std::optional<double> width = settings::PositiveNumber(texts.areaWidth);
  if (!width) return ScanProblem{link::kErrorCaption, kAreaWidthText};
  numbers.areaWidth = *width;
  if (numbers.ny > 1) {
    const std::optional<double> height = settings::PositiveNumber(texts.areaHeight);
    if (!height) return ScanProblem{link::kErrorCaption, kAreaHeightText};
    numbers.areaHeight = *height;
  }
  return numbers;
}

std::optional<ScanProblem> ScanRangeProblem(const ScanNumbers& numbers,
                                            const link::MachineSettings& settings) {
  if (!link::FitsStepRange(numbers.areaWidth / (numbers.nx - 1) / settings.SM_X_ratio)) {
    return ScanProblem{link::kErrorCaption, kAreaWidthRangeText};
  }
  // A single row has no step to make along Y.
  if (numbers.ny > 1 &&
      !link::FitsStepRange(numbers.areaHeight / (numbers.ny - 1) / settings.SM_Y_ratio)) {
    return ScanProblem{link::kErrorCaption, kAreaHeightRangeText};
  }
  return std::nullopt;
}

}  // namespace vexa::scanner
