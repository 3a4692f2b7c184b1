#pragma once
// What a figure window's job starts from, copied for its plan and for going on after a cut
// link: the source, working and tool pictures and the figure data.

#include "figures/figure_data.h"
#include "picture/pixel_buffer.h"

namespace vexa::figures {

struct FigureSnapshot {
  picture::PixelBuffer source, working, tool;
  FigureData figures;
};

}  // namespace vexa::figures
