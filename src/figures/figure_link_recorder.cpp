#include "figures/figure_link_recorder.h"

#include <algorithm>
#include <bit>

namespace vexa::figures {

namespace {

constexpr std::size_t kInitialSlots = 1024;

}  // namespace

FigureLinkRecorder::FigureLinkRecorder(FigureLinks& links, LinkRecorderStore& store,
                                       std::int32_t highestFigure)
    : links_(links), byFigure_(store.byFigure), spilled_(store.spilled) {
  byFigure_.assign(static_cast<std::size_t>(highestFigure) + 1, {});
  // The size the last parse grew to: a window tends to parse similar pictures again.
  spilled_.assign(std::max(kInitialSlots, std::bit_floor(spilled_.size())), 0);
  shift_ = 64 - std::countr_zero(spilled_.size());
}

bool FigureLinkRecorder::insert(std::int32_t left, std::int32_t right) {
  using Neighbours = LinkRecorderStore::Neighbours;
  constexpr int kSlots = LinkRecorderStore::kSlots;
  Neighbours& first = byFigure_[static_cast<std::size_t>(left)];
  Neighbours& second = byFigure_[static_cast<std::size_t>(right)];
  auto holds = [](const Neighbours& kept, std::int32_t other) {
    for (int i = 0; i < kept.count; ++i) {
      if (kept.other[static_cast<std::size_t>(i)] == other) return true;
    }
    return false;
  };
  if (holds(first, right) || holds(second, left)) return false;
  // Slots only ever fill: a pair that went to the hash set found both figures full, and they
  // still are, so while either has room the pair cannot be there.
  if (first.count < kSlots || second.count < kSlots) {
    if (first.count <= second.count) {
      first.other[static_cast<std::size_t>(first.count++)] = right;
    } else {
      second.other[static_cast<std::size_t>(second.count++)] = left;
    }
    return true;
  }
  return insertSpilled(pairKey(left, right));
}

bool FigureLinkRecorder::insertSpilled(std::uint64_t key) {
  const std::size_t mask = spilled_.size() - 1;
  std::size_t slot = static_cast<std::size_t>((key * kMultiplier) >> shift_);
  while (spilled_[slot] != 0) {
    if (spilled_[slot] == key) return false;
    slot = (slot + 1) & mask;
  }
  spilled_[slot] = key;
  // At most half full keeps the probe runs short.
  if (++used_ * 2 > spilled_.size()) grow();
  return true;
}

void FigureLinkRecorder::grow() {
  BlockVector<std::uint64_t> old(spilled_.size() * 2, 0);
  old.swap(spilled_);
  --shift_;
  const std::size_t mask = spilled_.size() - 1;
  for (const std::uint64_t key : old) {
    if (key == 0) continue;
    std::size_t slot = static_cast<std::size_t>((key * kMultiplier) >> shift_);
    while (spilled_[slot] != 0) slot = (slot + 1) & mask;
    spilled_[slot] = key;
  }
}

}  // namespace vexa::figures
