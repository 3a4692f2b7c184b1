#pragma once
// A window's picture on real files in a temporary program folder, with the screen replaced by a
// record of what the window was told to show.

#include <optional>
#include <string>
#include <vector>

#include "picture/bmp_file.h"
#include "picture/picture_errors.h"
#include "picture/window_picture.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

namespace vexa::picture::test {

// Also records the filters and folder of each file dialog.
class DialogPrompts : public vexa::test::RecordingPrompts {
 public:
  std::vector<link::FileFilter> filters;
  std::string initialFolder;

  std::optional<std::string> chooseFileToOpen(const std::string& title,
                                              const std::vector<link::FileFilter>& chosenFilters,
                                              const std::string& folder) override {
    filters = chosenFilters;
    initialFolder = folder;
    return RecordingPrompts::chooseFileToOpen(title, chosenFilters, folder);
  }
};

struct ScreenRecord {
  std::optional<bool> panelsShown;
  std::optional<bool> buttonsEnabled;
  std::string pathShown;
  int redraws = 0;

  WindowPictureHooks hooks() {
    return {[this](bool shown) { panelsShown = shown; },
            [this](bool enabled) { buttonsEnabled = enabled; },
            [this](const std::string& path) { pathShown = path; }, [this] { ++redraws; }};
  }
};

// Decodes BMP files only (the core has no other decoder) and counts the files it decoded.
struct BmpDecoder {
  int calls = 0;
  PictureDecoder decoder() {
    return [this](const std::filesystem::path& path) {
      ++calls;
      BmpPicture bmp = ReadBmpFile(path);
      if (bmp.pixels.empty()) throw CannotLoadFile();
      return std::move(bmp.pixels);
    };
  }
};

// A picture of `width` x `height` whose gray level runs across it.
inline PixelBuffer Gradient(int width, int height) {
  PixelBuffer picture(width, height);
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x) picture.setGray(x, y, static_cast<std::uint8_t>(x % 256));
  }
  return picture;
}

}  // namespace vexa::picture::test
