#include "scanner/picture_size.h"

#include <cmath>
#include <cstdint>

#include "link/nearest.h"
#include "picture/picture_limits.h"
#include "scanner/scan_preview.h"
#include "settings/settings.h"

namespace vexa::scanner {

namespace {

constexpr int kMaxPictureSide = picture::kMaxPictureSide - kBoxMargin;

std::optional<int> pictureSide(std::string_view text) {
  const std::optional<int> side = settings::ParseInteger(text);
  if (!side || *side < 1 || *side > kMaxPictureSide) return std::nullopt;
  return side;
}

}  // namespace

std::variant<PictureSize, std::string> ReadPictureSize(std::string_view width,
                                                       std::string_view height) {
  const std::optional<int> w = pictureSide(width);
  if (!w) return std::string(kPictureWidthText);
  const std::optional<int> h = pictureSide(height);
  if (!h) return std::string(kPictureHeightText);
  if (!picture::FitsPictureLimits(*w + kBoxMargin, *h + kBoxMargin)) {
    return std::string(kPictureTooLargeText);
  }
  return PictureSize{*w, *h};
}

int PictureSideForBox(int boxPixels, int points) {
  return (points - 1) * GridStep(boxPixels, points);
}

DraggedBox DragBox(BoxSize current, BoxSize wanted) {
  DraggedBox dragged{current, wanted.width >= kMinDraggedBoxPixels,
                     wanted.height >= kMinDraggedBoxPixels};
  if (dragged.widthTaken) dragged.box.width = wanted.width;
  if (dragged.heightTaken) dragged.box.height = wanted.height;
  if (!picture::FitsPictureLimits(dragged.box.width, dragged.box.height)) return {current};
  return dragged;
}

std::optional<std::string> CoupledAreaText(std::string_view sideOfResult,
                                           std::string_view sideOfGiven,
                                           std::string_view givenArea) {
  const auto area = settings::ParseDecimal(givenArea);
  if (!area) return std::nullopt;
  const auto result = settings::ParseDecimal(sideOfResult);
  const auto given = settings::ParseDecimal(sideOfGiven);
  if (!result || !given) return std::string();
  const double numerator = link::Nearest(*result * *area);
  const double divisor = link::Nearest(*given);
  // Beyond 2^53 the product is no longer a whole number to divide.
  if (!(divisor > 0) || !(std::fabs(numerator) < 9.0e15) || divisor >= 9.0e15) return std::string();
  return std::to_string(static_cast<std::int64_t>(numerator) / static_cast<std::int64_t>(divisor));
}

}  // namespace vexa::scanner
