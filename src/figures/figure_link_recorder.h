#pragma once
// AddLink without the plain scan of every earlier entry for each pair. The figures of a noisy or
// dithered picture touch only a few others each: every figure has a few slots for the pairs it
// is part of, and a pair is kept in the slots of one of its two figures, so looking it up reads
// two small records. Only a pair both of whose figures have full slots (two large shapes, or
// the background and a large shape) goes to a hash set.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "figures/block_vector.h"
#include "figures/figure_links.h"
#include "figures/prefetch.h"

namespace vexa::figures {

// The recorder's memory, kept between parses (ParseScratch).
struct LinkRecorderStore {
  static constexpr int kSlots = 3;
  struct Neighbours {
    std::int32_t count = 0;
    std::array<std::int32_t, kSlots> other{};  // 0 in the free ones
  };
  BlockVector<Neighbours> byFigure;    // indexed by figure number
  BlockVector<std::uint64_t> spilled;  // open addressing, 0 marks an empty slot
};

class FigureLinkRecorder {
 public:
  // Appends to `links`, which must be empty; figure numbers are 1 to `highestFigure`. The store
  // is cleared here.
  FigureLinkRecorder(FigureLinks& links, LinkRecorderStore& store, std::int32_t highestFigure);

  // Records, in order, that each pair's parent (met on the left) and child touch, unless the pair
  // is already recorded in either order; `pairs` is used as working memory.
  void AddLinks(std::span<FigureLink> pairs) {
    // Most boundaries repeat a pair met a little earlier, often the one just before; a small
    // table of recent pairs answers them without looking further. A row of a dithered picture
    // meets its pairs about half anew, half again: they are told apart without a jump per pair,
    // which would be mispredicted half the time.
    std::size_t kept = 0;
    for (const FigureLink pair : pairs) {
      const std::uint64_t key = pairKey(pair.parent, pair.child);
      std::uint64_t& recent = recent_[(key * kMultiplier) >> (64 - kRecentBits)];
      const bool seen = recent == key;
      recent = key;
      pairs[kept] = pair;
      kept += !seen;
    }
    // The figures of a dithered picture are millions and their slots lie far apart: each pair's
    // slots are asked for a few pairs ahead, so that insert() does not wait for them.
    constexpr std::size_t kAhead = 8;
    for (std::size_t i = 0; i < kept; ++i) {
      if (i + kAhead < kept) {
        Prefetch(byFigure_.data() + pairs[i + kAhead].parent);
        Prefetch(byFigure_.data() + pairs[i + kAhead].child);
      }
      if (insert(pairs[i].parent, pairs[i].child)) links_.append(pairs[i].parent, pairs[i].child);
    }
  }

 private:
  static constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
  static constexpr int kRecentBits = 12;

  static std::uint64_t pairKey(std::uint32_t a, std::uint32_t b) {
    return a < b ? (std::uint64_t{a} << 32 | b) : (std::uint64_t{b} << 32 | a);
  }
  // True when the pair was not recorded yet.
  bool insert(std::int32_t left, std::int32_t right);
  static bool holds(const LinkRecorderStore::Neighbours& kept, std::int32_t other);
  bool insertSpilled(std::uint64_t key);
  void grow();

  FigureLinks& links_;
  BlockVector<LinkRecorderStore::Neighbours>& byFigure_;
  BlockVector<std::uint64_t>& spilled_;
  std::array<std::uint64_t, std::size_t{1} << kRecentBits> recent_{};
  std::size_t used_ = 0;
  int shift_ = 0;
};

}  // namespace vexa::figures
