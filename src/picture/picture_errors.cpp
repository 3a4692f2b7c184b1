#include "picture/picture_errors.h"

namespace vexa::picture {

app::VexaError CannotLoadFile() {
  return app::VexaError(kCannotLoadError, kLoaderSource, kCannotLoadText);
}

PictureTooLarge::PictureTooLarge(std::int64_t width, std::int64_t height)
    : app::VexaError(kCannotLoadError, kLoaderSource,
                     std::string(kCannotLoadText) + ": " + std::to_string(width) + " x " +
                         std::to_string(height) + " is too large"),
      width_(width),
      height_(height) {}

app::VexaError InvalidSaveArgument() {
  return app::VexaError(kInvalidArgumentError, kSaverSource, kInvalidArgumentText);
}

// The descriptions are the system's own, whatever library now does the work.
app::VexaError StreamNotOpened(int status) {
  return app::VexaError(kStreamNotOpenedError, kSaverSource,
                        "SHCreateStreamOnFile error " + std::to_string(status));
}

app::VexaError SaveFailed(int status) {
  return app::VexaError(kSaveFailedError, kSaverSource,
                        "GdipSaveImageToStream error " + std::to_string(status));
}

}  // namespace vexa::picture
