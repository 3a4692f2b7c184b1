#include "figures/figure_link_recorder.h"

#include <algorithm>
#include <bit>

namespace vexa::figures {

namespace {

constexpr std::size_t kInitialSlots = 1024;

}  // namespace

FigureLinkRecorder::FigureLinkRecorder(FigureLinks& links, BlockVector<std::uint64_t>& slots)
    : links_(links), slots_(slots) {
  // The size the last parse grew to: a window tends to parse similar pictures again.
  slots_.assign(std::max(kInitialSlots, std::bit_floor(slots_.size())), 0);
  shift_ = 64 - std::countr_zero(slots_.size());
}

bool FigureLinkRecorder::insert(std::uint64_t key) {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = static_cast<std::size_t>((key * kMultiplier) >> shift_);
  while (slots_[slot] != 0) {
    if (slots_[slot] == key) return false;
    slot = (slot + 1) & mask;
  }
  slots_[slot] = key;
  // At most half full keeps the probe runs short.
  if (++used_ * 2 > slots_.size()) grow();
  return true;
}

void FigureLinkRecorder::grow() {
  BlockVector<std::uint64_t> old(slots_.size() * 2, 0);
  old.swap(slots_);
  --shift_;
  const std::size_t mask = slots_.size() - 1;
  for (const std::uint64_t key : old) {
    if (key == 0) continue;
    std::size_t slot = static_cast<std::size_t>((key * kMultiplier) >> shift_);
    while (slots_[slot] != 0) slot = (slot + 1) & mask;
    slots_[slot] = key;
  }
}

}  // namespace vexa::figures
