#include "figures/figure_link_recorder.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
  if (holds(first, right) | holds(second, left)) return false;
  // Slots only ever fill: a pair that went to the hash set found both figures full, and they
  // still are, so while either has room the pair cannot be there.
  if (first.count < kSlots || second.count < kSlots) {
    const bool intoFirst = first.count <= second.count;
    Neighbours& kept = intoFirst ? first : second;
    kept.other[static_cast<std::size_t>(kept.count++)] = intoFirst ? right : left;
    return true;
  }
  return insertSpilled(pairKey(left, right));
}

// Whether `kept`'s slots hold `other`, compared all at once: the number of slots in use varies
// from figure to figure, and a loop over them mispredicts its end. Free slots hold 0, no figure.
bool FigureLinkRecorder::holds(const LinkRecorderStore::Neighbours& kept, std::int32_t other) {
#if defined(__SSE2__)
  static_assert(sizeof(LinkRecorderStore::Neighbours) == 16);
  const __m128i record = _mm_loadu_si128(reinterpret_cast<const __m128i*>(&kept));
  const int equal = _mm_movemask_epi8(_mm_cmpeq_epi32(record, _mm_set1_epi32(other)));
  return (equal & 0xfff0) != 0;  // the first four bytes are the count
#else
  return (kept.other[0] == other) | (kept.other[1] == other) | (kept.other[2] == other);
#endif
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
