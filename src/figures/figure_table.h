#pragma once
// FigureTable: one FigureRecord per figure number, counted from 1.

#include <cstdint>
#include <vector>

#include "figures/block_vector.h"

namespace vexa::figures {

inline constexpr std::int16_t kLight = -1;
inline constexpr std::int16_t kDark = 0;

inline constexpr std::int32_t kFree = 0;
inline constexpr std::int32_t kInUse = 1;
inline constexpr std::int32_t kDone = 4;  // machined by a job

struct FigureRecord {
  std::int32_t level = 0;  // depth in the nesting tree
  std::int16_t colour = 0;
  std::int32_t state = kFree;

  friend bool operator==(const FigureRecord&, const FigureRecord&) = default;
};

class FigureTable {
 public:
  static constexpr int kInitialLength = 100;

  FigureTable() { reset(); }

  // 100 zeroed entries.
  void reset() { records_.assign(kInitialLength, FigureRecord{}); }
  // Keeps the entries and adds as many zeroed ones.
  void doubleLength() { records_.resize(records_.size() * 2); }

  int length() const { return static_cast<int>(records_.size()); }
  bool contains(int number) const { return number >= 1 && number <= length(); }

  // Entry `number`, 1 to length().
  FigureRecord& operator[](int number) { return records_[number - 1]; }
  const FigureRecord& operator[](int number) const { return records_[number - 1]; }

  friend bool operator==(const FigureTable&, const FigureTable&) = default;

 private:
  BlockVector<FigureRecord> records_;
};

}  // namespace vexa::figures
