#pragma once
// AddLink with a hash set of the pairs already recorded, in place of the plain scan of every
// earlier entry for each pair.

#include <array>
#include <cstdint>
#include <vector>

#include "figures/block_vector.h"
#include "figures/figure_links.h"

namespace vexa::figures {

class FigureLinkRecorder {
 public:
  // Appends to `links`, which must be empty. `slots` is the hash set's memory, kept between
  // parses (ParseScratch); it is cleared here.
  FigureLinkRecorder(FigureLinks& links, BlockVector<std::uint64_t>& slots);

  // Records that `left` and `right` touch, left as parent, unless the pair is already recorded
  // in either order. Figure numbers are at least 1.
  void AddLink(std::int32_t left, std::int32_t right) {
    const std::uint64_t key = pairKey(left, right);
    // Most boundaries repeat a pair met a little earlier, often the one just before; a small
    // table of recent pairs answers them without touching the big one.
    std::uint64_t& recent = recent_[(key * kMultiplier) >> (64 - kRecentBits)];
    if (recent == key) return;
    recent = key;
    if (insert(key)) links_.append(left, right);
  }

 private:
  static constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
  static constexpr int kRecentBits = 12;

  static std::uint64_t pairKey(std::uint32_t a, std::uint32_t b) {
    return a < b ? (std::uint64_t{a} << 32 | b) : (std::uint64_t{b} << 32 | a);
  }
  // True when the key was not in the set yet.
  bool insert(std::uint64_t key);
  void grow();

  FigureLinks& links_;
  BlockVector<std::uint64_t>& slots_;  // open addressing, 0 marks an empty slot
  std::array<std::uint64_t, std::size_t{1} << kRecentBits> recent_{};
  std::size_t used_ = 0;
  int shift_ = 0;
};

}  // namespace vexa::figures
