#pragma once
// "Резать 3D": clears every dark area by concentric passes one cutter diameter apart, each pass
// at the depth of the gray level under the cutter, until nothing dark is left.

#include <functional>

#include "milling/milling_job.h"

namespace vexa::milling {

struct ReliefParts {
  MillingParts milling;  // its `tool` is the tool picture
  const picture::PixelBuffer& source;
  picture::PixelBuffer& working;
  double cutterDiameter = 0;  // pixels
  // ParseFigures on the working picture, with the tree shown.
  std::function<void()> parse;
};

// The relief's loop: edge bands from the source, then "Разобрать", "Все" and "Отступить" until
// the tree is empty, then the optional return move. A cycle whose offset changes no pixel (dark
// areas closer to the edge than one cutter diameter, which the offset never reaches, or a cutter
// of no width) would mill the same contours for ever: the job ends there with a message. The
// link abort passes on to the job's entry point; the relief mode and job kind are cleared on
// every way out.
void Mill3D(ReliefParts parts);

inline constexpr const char* kReliefStuckText =
    "Оставшиеся тёмные области не уменьшаются при отступе: они лежат у края картинки (ближе "
    "диаметра фрезы) или диаметр фрезы равен нулю.\r\nФрезеровка 3D закончена.";

}  // namespace vexa::milling
