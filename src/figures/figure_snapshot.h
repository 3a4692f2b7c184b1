#pragma once
// What a figure window's job starts from, copied for its plan and for going on after a cut
// link: the source, working and tool pictures and the figure data.

#include "figures/figure_data.h"
#include "picture/pixel_buffer.h"

namespace vexa::figures {

// The four copies of a figure window's picture (its views Pict, Pict1, Pict2, Pict3).
inline constexpr int kFigureCopies = 4;
inline constexpr int kSourceCopy = 0;
inline constexpr int kWorkingCopy = 1;
inline constexpr int kSelectionCopy = 2;  // the cutting window's template picture
inline constexpr int kToolCopy = 3;       // the milling cutter's or the laser's marks

struct FigureSnapshot {
  picture::PixelBuffer source, working, tool;
  FigureData figures;
};

// A snapshot of the pictures and figure data; the parse's working memory stays behind (a parse
// makes it anew).
inline FigureSnapshot TakeSnapshot(const picture::PixelBuffer& source,
                                   const picture::PixelBuffer& working,
                                   const picture::PixelBuffer& tool, const FigureData& figures) {
  FigureSnapshot snapshot{source, working, tool, {}};
  snapshot.figures.copyResults(figures);
  return snapshot;
}

}  // namespace vexa::figures
