#include "picture/picture_errors.h"

namespace vexa::picture {

settings::VexaError CannotLoadFile() {
  return settings::VexaError(kCannotLoadError, kLoaderSource, kCannotLoadText);
}

PictureTooLarge::PictureTooLarge(std::int64_t width, std::int64_t height)
    : settings::VexaError(kCannotLoadError, kLoaderSource,
                          std::string(kCannotLoadText) + ": " + std::to_string(width) + " x " +
                              std::to_string(height) + " is too large"),
      width_(width),
      height_(height) {}

settings::VexaError InvalidSaveArgument() {
  return settings::VexaError(kInvalidArgumentError, kSaverSource, kInvalidArgumentText);
}

// The descriptions are the system's own, whatever library now does the work.
settings::VexaError StreamNotOpened(int status) {
  return settings::VexaError(kStreamNotOpenedError, kSaverSource,
                             "SHCreateStreamOnFile error " + std::to_string(status));
}

settings::VexaError SaveFailed(int status) {
  return settings::VexaError(kSaveFailedError, kSaverSource,
                             "GdipSaveImageToStream error " + std::to_string(status));
}

}  // namespace vexa::picture
