#pragma once
// The picture(s) an operation window works on, and how the window takes a picture in: the
// open-file dialog, the remembered path, work.bmp, the 24-bit check, the missing-file and
// broken-file messages. The raster windows hold one copy, the figure windows four.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "link/event_pump.h"
#include "link/paced_pump.h"
#include "link/prompts.h"
#include "picture/pixel_buffer.h"
#include "settings/settings.h"

namespace vexa::picture {

// Decodes a picture file in colour; raises CannotLoadFile (error 5) when it cannot.
// The application passes LoadPictureFile (qt_codec.h); tests may pass a BMP reader.
using PictureDecoder = std::function<PixelBuffer(const std::filesystem::path&)>;

struct WindowPictureSetup {
  std::filesystem::path programDir;
  std::string pathKey;  // the window's cnc.ini key: "Image", "Etching_image", ...
  int copies = 1;       // 1 in the raster windows, 4 in the figure windows
  std::string refusalLine;  // "Гравировка невозможна." or "Фрезеровка невозможна."
};

// The kinds of file the open-file dialog of "..." offers.
std::vector<link::FileFilter> PictureFileFilters();

// What the window does on the screen; any of them may be left empty.
struct WindowPictureHooks {
  std::function<void(bool shown)> showPanels;        // picture view and settings panels
  std::function<void(bool enabled)> enableButtons;   // the buttons of the 24-bit check
  std::function<void(const std::string&)> showPath;  // the path field
  std::function<void()> redraw;                      // repaint the picture view soon
};

class WindowPicture {
 public:
  WindowPicture(WindowPictureSetup setup, link::Prompts& prompts, PictureDecoder decoder);

  void setHooks(WindowPictureHooks hooks) { hooks_ = std::move(hooks); }
  // Lets RedrawPicture process pending events, as jobs need when nothing else waits; every few
  // milliseconds, not at every call: a dry run redraws far faster than anyone can look.
  void setEventPump(link::EventPump* pump) {
    pacedPump_ = pump ? std::make_unique<link::PacedPump>(*pump) : nullptr;
  }

  // The path field, UTF-8 text as cnc.ini and the file dialog keep it (settings/path_text.h).
  // Setting it (the remembered path when the window opens) loads nothing.
  const std::string& path() const { return path_; }
  void setPath(const std::string& path);

  bool hasPicture() const { return !copies_.front().empty(); }
  int width() const { return copies_.front().width(); }
  int height() const { return copies_.front().height(); }
  int copyCount() const { return static_cast<int>(copies_.size()); }
  // The copies never move, so a view may keep a pointer to one.
  PixelBuffer& copy(int index = 0) { return copies_.at(index); }
  const PixelBuffer& copy(int index = 0) const { return copies_.at(index); }
  std::filesystem::path workPicturePath() const { return setup_.programDir / "work.bmp"; }

  // Loads `path` into every copy through work.bmp. A missing file shows its message and leaves
  // no picture; a file that cannot be decoded or saved raises its error, also leaving no picture.
  void LoadWorkPicture(const std::string& path);
  // The same, but an error is shown ("Ошибка открытия файла!") instead of raised. For the
  // window's opening and every reload, whose callers have no handler. True when loaded.
  bool LoadWorkPictureOrReport(const std::string& path);

  // The open-picture button: dialog, path field and cnc.ini key, load, then `widthRule` (the
  // window's width-field rule); errors are shown, never raised.
  void OpenPicture(const std::function<void()>& widthRule = {});

  // Asks the view to repaint and lets pending events through (jobs call it to show progress).
  void RedrawPicture();
  // Asks the view to repaint only: for handlers that already run inside the event loop.
  void requestRedraw();

  // The working buttons off, e.g. when the picture could not be fitted.
  void refuseWork();
  // Drops the picture (window closing).
  void ReleasePicture();

 private:
  void dropPicture();
  void reportFailure(const std::exception& error);

  WindowPictureSetup setup_;
  link::Prompts& prompts_;
  PictureDecoder decoder_;
  settings::SettingsFile settings_;
  WindowPictureHooks hooks_;
  std::unique_ptr<link::PacedPump> pacedPump_;
  std::string path_;
  std::vector<PixelBuffer> copies_;
};

}  // namespace vexa::picture
