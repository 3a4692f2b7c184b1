#pragma once
// The picture of the raster windows (laser Form3, wood burning Form8): fitted to one pixel per
// spot diameter across the target width, with the size fields that drive the fit. Text5 is the
// spot diameter, Text6 the target width, Text7 the target height (derived, never stored).

#include <functional>
#include <string>

#include "link/machine_settings.h"
#include "link/prompts.h"
#include "picture/window_picture.h"

namespace vexa::picture {

enum class SizeField { SpotDiameter, TargetWidth, TargetHeight };

class RasterPicture {
 public:
  // `picture` must hold one copy. SM_X_ratio is read from `settings` at every use.
  RasterPicture(WindowPicture& picture, const link::MachineSettings& settings,
                link::Prompts& prompts);

  WindowPicture& picture() { return picture_; }

  // Puts a text the rules chose into the window's field.
  void setFieldHook(std::function<void(SizeField, const std::string&)> showField) {
    showField_ = std::move(showField);
  }
  // The laser window's PseudoTone and InvertPicture, run on every freshly fitted picture.
  void setToneSteps(std::function<void(PixelBuffer&)> toneSteps) {
    toneSteps_ = std::move(toneSteps);
  }

  const std::string& text(SizeField field) const;
  // The field's text changed (typed, pasted or set by the window). Only the spot diameter has a
  // rule for that: a number above 0 refits the picture.
  void fieldEdited(SizeField field, const std::string& text);

  // The loading flag: while set (the window reading its settings), RefreshPicture does nothing.
  void setLoading(bool loading) { loading_ = loading; }
  // End of the window's opening: clears the flag, refreshes, sets Text7 from Text6.
  void FinishOpening();

  // Text5: up and down arrows by one X motor step; leaving the field snaps to whole steps.
  void SpotDiameterArrowUp();
  void SpotDiameterArrowDown();
  void SpotDiameterLeft();
  // Text6 and Text7 losing focus: the other side follows the picture's proportions and the
  // picture is refitted when it moves by 0.2 mm or more.
  void TargetWidthLeft();
  void TargetHeightLeft();

  // The open-picture button ("...").
  void OpenPicture();
  // Reload from the path field, fit, tone steps, redraw.
  void RefreshPicture();

 private:
  bool widthRule();
  bool fitLoadedPicture();
  void setField(SizeField field, const std::string& text);
  std::string& textOf(SizeField field);
  void spotDiameterChanged();

  WindowPicture& picture_;
  const link::MachineSettings& settings_;
  link::Prompts& prompts_;
  std::function<void(SizeField, const std::string&)> showField_;
  std::function<void(PixelBuffer&)> toneSteps_;
  bool loading_ = false;
  std::string spotDiameter_ = "0,2";
  std::string targetWidth_ = "200";
  std::string targetHeight_ = "100";
};

}  // namespace vexa::picture
