#pragma once
// The format codes of SavePicture and the checks made before any file is touched.

#include "picture/pixel_buffer.h"

namespace vexa::picture {

enum class SaveFormat : int {
  None = 0,  // no format chosen: the save fails
  Bmp = 1,
  Gif = 2,
  Jpeg = 3,  // the only one that uses the quality
  Png = 4,
};

// Raises error 5 (InvalidSaveArgument) for an empty picture, a code outside 0 to 4 or a quality
// outside 1 to 100, whatever the format.
void CheckSaveArguments(const PixelBuffer& picture, int format, int quality);

}  // namespace vexa::picture
