#include "picture/save_format.h"

#include "picture/picture_errors.h"

namespace vexa::picture {

void CheckSaveArguments(const PixelBuffer& picture, int format, int quality) {
  const bool formatKnown =
      format >= static_cast<int>(SaveFormat::None) && format <= static_cast<int>(SaveFormat::Png);
  if (picture.empty() || !formatKnown || quality < 1 || quality > 100) {
    throw InvalidSaveArgument();
  }
}

}  // namespace vexa::picture
