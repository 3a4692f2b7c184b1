#pragma once
// The loop of "Резать 3D" and "Грав-ть всё": after the edges are cut apart and the picture
// parsed, every dark figure is worked along its contours, the dark areas shrink by one tool
// diameter and the picture is parsed again, until nothing dark is left.

#include <functional>

#include "figures/figure_data.h"

namespace vexa::figures {

struct ConcentricPasses {
  std::function<void()> cutEdges;  // "Градиент" on the working picture
  std::function<void()> parse;     // "Разобрать", with the tree shown
  std::function<void()> workAll;   // "Все" in relief or fill mode
  std::function<bool()> shrink;    // "Отступить"; false when no pixel changed
};

// True when the tree came out empty. False when a pass's shrink changed nothing: the dark areas
// left lie within one tool diameter of the edge, where the offset never reaches, or the tool
// has no width; the same contours would be worked for ever, so the loop stops there.
bool RunConcentricPasses(FigureData& figures, const ConcentricPasses& passes);

}  // namespace vexa::figures
