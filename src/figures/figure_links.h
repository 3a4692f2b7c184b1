#pragma once
// FigureLinks: the pairs of figures that touch along a row, each unordered pair once, in the
// order they were first met. Entries are counted from 1.

#include <cstdint>
#include <span>
#include <vector>

#include "figures/block_vector.h"

namespace vexa::figures {

struct FigureLink {
  std::int32_t child = 0;   // the figure met on the right when the pair was first met
  std::int32_t parent = 0;  // the figure met on the left

  friend bool operator==(const FigureLink&, const FigureLink&) = default;
};

class FigureLinks {
 public:
  static constexpr int kInitialLength = 100;

  FigureLinks() { reset(); }

  // 100 empty entries, none in use.
  void reset() {
    entries_.assign(kInitialLength, FigureLink{});
    count_ = 0;
  }

  int FigureLinkCount() const { return count_; }
  int length() const { return static_cast<int>(entries_.size()); }

  // Entry i, 1 to length().
  const FigureLink& operator[](int i) const { return entries_[i - 1]; }
  // Entries 1 to FigureLinkCount().
  std::span<const FigureLink> inUse() const { return {entries_.data(), std::size_t(count_)}; }

  // Stores the pair as the next entry, doubling the array when the count would exceed it.
  // Recording each pair once is the caller's part (AddLink).
  void append(std::int32_t parent, std::int32_t child) {
    if (count_ == length()) entries_.resize(entries_.size() * 2);
    entries_[count_++] = FigureLink{child, parent};
  }

  friend bool operator==(const FigureLinks&, const FigureLinks&) = default;

 private:
  BlockVector<FigureLink> entries_;
  int count_ = 0;
};

}  // namespace vexa::figures
