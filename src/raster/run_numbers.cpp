#include "raster/run_numbers.h"

#include "link/nearest.h"
#include "link/step_count.h"
#include "settings/number_checks.h"

namespace vexa::raster {

namespace {

std::string dwellText(const std::string& name) {
  return "Введите в поле " + name + " число от 0 до 2147483647!";
}

}  // namespace

std::variant<RunNumbers, std::string> ReadRunNumbers(const RunNumberTexts& texts,
                                                     const DwellFieldNames& names) {
  RunNumbers numbers;
  const auto black = settings::DelayNumber(texts.blackDwell);
  if (!black) return dwellText(names.black);
  numbers.blackDwell = *black;
  numbers.whiteDwell = 0;
  if (texts.whiteDwell) {
    const auto white = settings::DelayNumber(*texts.whiteDwell);
    if (!white) return dwellText(names.white);
    numbers.whiteDwell = *white;
  }
  const auto width = settings::PositiveNumber(texts.targetWidth);
  if (!width) return std::string("Введите в поле ширины число больше 0!");
  numbers.targetWidth = *width;
  const auto height = settings::PositiveNumber(texts.targetHeight);
  if (!height) return std::string("Введите в поле высоты число больше 0!");
  numbers.targetHeight = *height;
  return numbers;
}

std::optional<std::string> RunRangeProblem(const RunNumbers& numbers, int pictureWidth,
                                           int pictureHeight,
                                           const link::MachineSettings& settings) {
  if (pictureWidth < 1 || pictureHeight < 1) return std::nullopt;
  // As the step move counts: whole steps per pixel, times the pixels of a move.
  auto fits = [&](double ratio, int pixels) {
    const double perPixel = numbers.targetWidth / ratio / pictureWidth;
    return link::FitsStepRange(perPixel) && link::FitsStepRange(link::Nearest(perPixel) * pixels);
  };
  if (fits(settings.SM_X_ratio, pictureWidth) && fits(settings.SM_Y_ratio, pictureHeight)) {
    return std::nullopt;
  }
  return link::kWidthRangeText;
}

}  // namespace vexa::raster
