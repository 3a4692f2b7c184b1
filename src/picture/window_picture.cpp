#include "picture/window_picture.h"

#include <new>
#include <stdexcept>

#include "link/link_abort.h"
#include "picture/bmp_file.h"
#include "picture/gray_picture.h"
#include "picture/picture_errors.h"
#include "picture/picture_messages.h"
#include "settings/path_text.h"

namespace vexa::picture {

WindowPicture::WindowPicture(WindowPictureSetup setup, link::Prompts& prompts,
                             PictureDecoder decoder)
    : setup_(std::move(setup)),
      prompts_(prompts),
      decoder_(std::move(decoder)),
      settings_(setup_.programDir / "cnc.ini"),
      copies_(setup_.copies < 1 ? 1 : setup_.copies) {}

void WindowPicture::setPath(const std::string& path) {
  path_ = path;
  if (hooks_.showPath) hooks_.showPath(path_);
}

void WindowPicture::LoadWorkPicture(const std::string& path) {
  for (PixelBuffer& copy : copies_) copy = PixelBuffer();
  const std::filesystem::path file = settings::PathFromUtf8(path);
  if (!settings::FileExists(file)) {
    dropPicture();
    prompts_.message(link::kErrorCaption, MissingFileText(path));
    return;
  }
  if (hooks_.showPanels) hooks_.showPanels(true);
  try {
    const PixelBuffer gray = Gray32Picture(decoder_(file));
    WriteBmpFile(gray, workPicturePath());
    BmpPicture work = ReadBmpFile(workPicturePath());
    if (work.bitsPerPixel != 24) {
      // Our own writer always writes 24 bits; another program may have replaced the file.
      copies_.front() = std::move(work.pixels);
      for (std::size_t i = 1; i < copies_.size(); ++i) copies_[i] = copies_.front();
      if (hooks_.enableButtons) hooks_.enableButtons(false);
      requestRedraw();
      prompts_.message(link::kWarningCaption, DepthRefusalText(setup_.refusalLine));
      return;
    }
    // One read serves every copy: they are the same file.
    for (std::size_t i = 1; i < copies_.size(); ++i) copies_[i] = work.pixels;
    copies_.front() = std::move(work.pixels);
  } catch (...) {
    dropPicture();
    throw;
  }
  if (hooks_.enableButtons) hooks_.enableButtons(true);
  requestRedraw();
}

bool WindowPicture::LoadWorkPictureOrReport(const std::string& path) {
  // A remembered path that exists but does not decode is treated as at the open button: the
  // message, and the window without a picture until another file is chosen.
  try {
    LoadWorkPicture(path);
  } catch (const link::LinkAbort&) {
    throw;
  } catch (const std::exception& error) {
    reportFailure(error);
  }
  return hasPicture();
}

std::vector<link::FileFilter> PictureFileFilters() {
  return {
      {"Pictures", "*.bmp;*.jpg;*.jpeg;*.png;*.gif"},
      {"All Files (*.*)", "*.*"},
  };
}

void WindowPicture::OpenPicture(const std::function<void()>& widthRule) {
  // The dialog's path is used as it is: names may begin or end with spaces.
  const auto chosen = prompts_.chooseFileToOpen(kOpenPictureTitle, PictureFileFilters(),
                                                settings::PathToUtf8(setup_.programDir));
  if (!chosen || chosen->empty()) return;
  try {
    setPath(*chosen);
    settings_.WriteSetting(setup_.pathKey, *chosen);
    LoadWorkPicture(path_);
    if (widthRule) widthRule();
  } catch (const link::LinkAbort&) {
    throw;
  } catch (const std::exception& error) {
    reportFailure(error);
  }
}

void WindowPicture::RedrawPicture() {
  requestRedraw();
  if (pacedPump_) (*pacedPump_)();
}

void WindowPicture::requestRedraw() {
  if (hooks_.redraw) hooks_.redraw();
}

void WindowPicture::refuseWork() {
  if (hooks_.enableButtons) hooks_.enableButtons(false);
}

void WindowPicture::ReleasePicture() {
  for (PixelBuffer& copy : copies_) copy = PixelBuffer();
  requestRedraw();
}

// No picture: nothing to show and nothing the working buttons could work on.
void WindowPicture::dropPicture() {
  for (PixelBuffer& copy : copies_) copy = PixelBuffer();
  if (hooks_.showPanels) hooks_.showPanels(false);
  if (hooks_.enableButtons) hooks_.enableButtons(false);
  requestRedraw();
}

void WindowPicture::reportFailure(const std::exception& error) {
  dropPicture();
  std::string text = kOpenErrorText;
  if (const auto* tooLarge = dynamic_cast<const PictureTooLarge*>(&error)) {
    // A side of no points is a damaged file, not a large picture.
    if (tooLarge->width() >= 1 && tooLarge->height() >= 1) {
      text = TooLargeText(tooLarge->width(), tooLarge->height());
    }
  } else if (const auto* numbered = dynamic_cast<const settings::VexaError*>(&error)) {
    if (numbered->number() == kStreamNotOpenedError || numbered->number() == kSaveFailedError) {
      text = WorkFileText(settings::PathToUtf8(workPicturePath()));
    }
  } else if (dynamic_cast<const std::bad_alloc*>(&error) ||
             dynamic_cast<const std::length_error*>(&error)) {
    text = OutOfMemoryText();
  }
  prompts_.message(link::kErrorCaption, text);
}

}  // namespace vexa::picture
