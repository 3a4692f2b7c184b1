#pragma once
// The figure numbers of one parse, handed out and merged as the plain row-by-row method does,
// without rewriting the map at every merge.
//
// Runs of pixels hold a label; a label belongs to a set (union-find) whose root carries the set's
// current figure number. Merging two figures joins their sets and keeps the upper figure's
// number, which is exactly what rewriting every cell of the absorbed number would give. Freed
// numbers go to a min-heap, so the next allocation takes the lowest free number as the plain
// scan of the table from entry 1 does.

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>

#include "figures/block_vector.h"
#include "figures/figure_table.h"

namespace vexa::figures {

// The memory FigureLabels works in, kept between parses (ParseScratch).
struct FigureLabelStore {
  BlockVector<std::int32_t> parent;
  BlockVector<std::int32_t> number;  // the figure number, kept at each root
  BlockVector<std::int32_t> freed;   // a min-heap of freed numbers
};

class FigureLabels {
 public:
  // Hands out numbers in `table`, which must be fresh (all entries free); clears `store`.
  FigureLabels(FigureTable& table, FigureLabelStore& store)
      : table_(table),
        store_(store),
        freed_(store.freed),
        parent_(store.parent.data()),
        number_(store.number.data()) {
    freed_.clear();
    reserve(1);
  }

  // Room for `more` labels beyond those handed out, so that allocating them moves nothing.
  void reserve(int more) {
    const std::size_t needed = static_cast<std::size_t>(count_) + static_cast<std::size_t>(more);
    if (store_.parent.size() >= needed) return;
    const std::size_t grown = std::max(needed, store_.parent.size() * 2);
    store_.parent.resize(grown);
    store_.number.resize(grown);
    parent_ = store_.parent.data();
    number_ = store_.number.data();
  }

  // A new figure of `colour` with the lowest free number, the table doubling when every entry is
  // in use. Returns its label; reserve() must have made room for it.
  int AllocateFigure(std::int16_t colour) {
    int number;
    if (freed_.empty() && highest_ < table_.length()) {
      number = ++highest_;
    } else {
      number = nextNumber();
    }
    FigureRecord& record = table_[number];
    record.state = kInUse;
    record.colour = colour;
    const int label = count_++;
    parent_[label] = label;
    number_[label] = number;
    return label;
  }

  // The figure of `absorbed` joins the figure of `kept`: the merged figure has kept's number and
  // absorbed's number is free again. Nothing happens when both are one figure already. Returns
  // the merged figure's root label.
  int MergeFigures(int absorbed, int kept) {
    if (absorbed == kept) return kept;  // most often the run and the one above are one already
    return mergeSets(absorbed, kept);
  }

  int root(int label) {
    while (parent_[label] != label) {
      parent_[label] = parent_[parent_[label]];
      label = parent_[label];
    }
    return label;
  }

  int figureNumber(int label) { return number_[root(label)]; }
  int labelCount() const { return count_; }

 private:
  // The lowest freed number, else the next new one (doubling the table when it is full). Out of
  // line, like mergeSets: kept off the join's loop, which then needs no call for the usual case.
  int nextNumber();
  int mergeSets(int absorbed, int kept);

  FigureTable& table_;
  FigureLabelStore& store_;
  BlockVector<std::int32_t>& freed_;
  std::int32_t* parent_ = nullptr;
  std::int32_t* number_ = nullptr;
  int count_ = 0;
  int highest_ = 0;  // every number up to this one has been handed out
};

}  // namespace vexa::figures
