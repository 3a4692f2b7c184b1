#pragma once
// The working memory of ParseFigures, kept with a window's figure data so that the next parse
// reuses it: fresh memory costs a page fault per 4 KB, which on a big noisy picture takes longer
// than the parse itself.

#include <cstdint>
#include <vector>

#include "figures/block_vector.h"
#include "figures/figure_labels.h"
#include "figures/figure_link_recorder.h"

namespace vexa::figures {

struct ParseScratch {
  // Every row's runs of one colour class, rows one after another; only the first `runCount`
  // entries of the blocks are in use.
  BlockVector<std::int32_t> runStart;  // x of the run's first pixel
  BlockVector<std::int32_t> runLabel;
  int runCount = 0;
  std::vector<int> rowFirstRun;  // per row, and one past the last row

  FigureLabelStore labels;
  LinkRecorderStore links;
  BlockVector<FigureLink> rowPairs;       // one row's touching pairs, before AddLinks
  BlockVector<std::int32_t> finalNumber;  // each label's figure number once all rows are seen
};

}  // namespace vexa::figures
