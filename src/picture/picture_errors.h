#pragma once
// The numbered errors of picture decoding and saving. They unwind to the window code that opens
// a picture, which reports them (window_picture.h).

#include <cstdint>
#include <string>

#include "settings/vexa_error.h"

namespace vexa::picture {

inline constexpr int kInvalidArgumentError = 5;
inline constexpr int kCannotLoadError = 5;
// The system's numbers, negative as 32-bit signed values.
inline constexpr int kStreamNotOpenedError = static_cast<std::int32_t>(0x80044850u);
inline constexpr int kSaveFailedError = static_cast<std::int32_t>(0x80044858u);

inline constexpr const char* kSaverSource = "PicSave";
inline constexpr const char* kLoaderSource = "LoadPictureFile";
inline constexpr const char* kCannotLoadText = "Cannot load file";
inline constexpr const char* kInvalidArgumentText = "Invalid procedure call or argument";

// Error 5 of the decoder: the file is missing, broken, truncated or not a picture.
settings::VexaError CannotLoadFile();

// Error 5 as well, for a picture whose size is outside the limits (picture_limits.h), so callers
// that only know "Cannot load file" still handle it; the window names the size.
class PictureTooLarge : public settings::VexaError {
 public:
  PictureTooLarge(std::int64_t width, std::int64_t height);
  std::int64_t width() const { return width_; }
  std::int64_t height() const { return height_; }

 private:
  std::int64_t width_;
  std::int64_t height_;
};

// Saving: a bad argument, a file that cannot be written, an encoder that failed. The status is
// the C library's error number or the encoder's own code.
settings::VexaError InvalidSaveArgument();
settings::VexaError StreamNotOpened(int status);
settings::VexaError SaveFailed(int status);

}  // namespace vexa::picture
