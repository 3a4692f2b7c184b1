#include "picture/raster_picture.h"

#include <cmath>
#include <limits>
#include <new>

#include "picture/fit_plan.h"
#include "picture/picture_messages.h"
#include "picture/size_rules.h"
#include "picture/spot_diameter.h"
#include "settings/settings.h"

namespace vexa::picture {

namespace {

constexpr const char* kDefaultTargetWidth = "200";
constexpr const char* kDefaultSpotDiameter = "1";

std::optional<double> positiveNumber(const std::string& text) {
  const auto value = settings::ParseDecimal(text);
  if (!value || !(*value > 0) || !std::isfinite(*value)) return std::nullopt;
  return value;
}

}  // namespace

RasterPicture::RasterPicture(WindowPicture& picture, const link::MachineSettings& settings,
                             link::Prompts& prompts)
    : picture_(picture), settings_(settings), prompts_(prompts) {}

const std::string& RasterPicture::text(SizeField field) const {
  return const_cast<RasterPicture*>(this)->textOf(field);
}

std::string& RasterPicture::textOf(SizeField field) {
  switch (field) {
    case SizeField::SpotDiameter:
      return spotDiameter_;
    case SizeField::TargetWidth:
      return targetWidth_;
    case SizeField::TargetHeight:
      break;
  }
  return targetHeight_;
}

void RasterPicture::fieldEdited(SizeField field, const std::string& text) {
  if (textOf(field) == text) return;
  textOf(field) = text;
  if (field == SizeField::SpotDiameter) spotDiameterChanged();
}

// A text set by a rule reaches the field and counts as a change of it.
void RasterPicture::setField(SizeField field, const std::string& text) {
  if (textOf(field) == text) return;
  textOf(field) = text;
  if (showField_) showField_(field, text);
  if (field == SizeField::SpotDiameter) spotDiameterChanged();
}

void RasterPicture::spotDiameterChanged() {
  if (positiveNumber(spotDiameter_)) RefreshPicture();
}

void RasterPicture::FinishOpening() {
  loading_ = false;
  RefreshPicture();
  const auto width = positiveNumber(targetWidth_);
  if (picture_.width() > 0 && width) {
    setField(SizeField::TargetHeight, DerivedSideText(*width, picture_.width(), picture_.height()));
  }
}

void RasterPicture::SpotDiameterArrowUp() {
  // A text that is not a number, or a zero step, leaves the field as it is.
  if (const auto next = SpotDiameterUp(spotDiameter_, settings_.SM_X_ratio)) {
    setField(SizeField::SpotDiameter, *next);
  }
}

void RasterPicture::SpotDiameterArrowDown() {
  if (const auto next = SpotDiameterDown(spotDiameter_, settings_.SM_X_ratio)) {
    setField(SizeField::SpotDiameter, *next);
  }
}

void RasterPicture::SpotDiameterLeft() {
  if (const auto snapped = SnapSpotDiameter(spotDiameter_, settings_.SM_X_ratio)) {
    setField(SizeField::SpotDiameter, *snapped);
    return;
  }
  prompts_.message(link::kWarningCaption, kSpotDiameterResetText);
  setField(SizeField::SpotDiameter, kDefaultSpotDiameter);
}

// Text6's rule; true when Text7 changed. A width that is not a positive number would give a
// picture of no size: it is reported and replaced by the design value.
bool RasterPicture::widthRule() {
  auto width = positiveNumber(targetWidth_);
  if (!width) {
    prompts_.message(link::kWarningCaption, kTargetWidthResetText);
    setField(SizeField::TargetWidth, kDefaultTargetWidth);
    width = positiveNumber(targetWidth_);
  }
  if (picture_.width() < 1) return false;
  const std::string height = DerivedSideText(*width, picture_.width(), picture_.height());
  if (!DiffersByTwoTenths(height, targetHeight_)) return false;
  setField(SizeField::TargetHeight, height);
  return true;
}

void RasterPicture::TargetWidthLeft() {
  if (widthRule()) RefreshPicture();
}

void RasterPicture::TargetHeightLeft() {
  if (picture_.height() < 1) return;
  const auto height = positiveNumber(targetHeight_);
  if (!height) {
    prompts_.message(link::kWarningCaption, kTargetHeightResetText);
    if (const auto width = positiveNumber(targetWidth_)) {
      setField(SizeField::TargetHeight,
               DerivedSideText(*width, picture_.width(), picture_.height()));
    }
    return;
  }
  const std::string width = DerivedSideText(*height, picture_.height(), picture_.width());
  if (!DiffersByTwoTenths(width, targetWidth_)) return;
  setField(SizeField::TargetWidth, width);
  RefreshPicture();
}

void RasterPicture::OpenPicture() {
  picture_.OpenPicture([this] {
    widthRule();
    // A new picture is always fitted. Refitting only when Text7 moved by 0.2 mm would leave a
    // picture of the old proportions at its own size, and the job would engrave it so.
    if (picture_.hasPicture()) fitLoadedPicture();
  });
}

void RasterPicture::RefreshPicture() {
  if (loading_) return;
  if (!picture_.LoadWorkPictureOrReport(picture_.path())) return;
  fitLoadedPicture();
}

// FitPicture on the picture just loaded, then the tone steps and a redraw. A size that cannot
// be fitted is reported; the picture stays as loaded and the working buttons are switched off,
// so nothing is engraved at the wrong resolution.
bool RasterPicture::fitLoadedPicture() {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const FitPlan plan =
      PlanFit(positiveNumber(targetWidth_).value_or(nan),
              positiveNumber(spotDiameter_).value_or(nan), picture_.width(), picture_.height());
  if (plan.status != FitPlan::Status::Ok) {
    picture_.refuseWork();
    picture_.requestRedraw();
    prompts_.message(link::kWarningCaption, plan.status == FitPlan::Status::BadNumbers
                                                ? std::string(kFitNumbersText)
                                                : FitSizeText(plan.across, plan.down));
    return false;
  }
  try {
    picture_.copy() = FitPicture(picture_.copy(), plan);
  } catch (const std::bad_alloc&) {
    picture_.refuseWork();
    prompts_.message(link::kErrorCaption, OutOfMemoryText());
    return false;
  }
  if (toneSteps_) toneSteps_(picture_.copy());
  picture_.requestRedraw();
  return true;
}

}  // namespace vexa::picture
