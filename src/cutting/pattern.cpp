#include "cutting/pattern.h"

namespace vexa::cutting {

Pattern::Pattern(std::initializer_list<std::string_view> rows)
    : Pattern(static_cast<int>(rows.size())) {
  int r = 1;
  for (std::string_view row : rows) {
    for (int c = 1; c <= size_ && c <= static_cast<int>(row.size()); ++c) {
      set(r, c, row[static_cast<std::size_t>(c - 1)] == '1');
    }
    ++r;
  }
}

Pattern OrientPattern(const Pattern& pattern, int orientation) {
  // 5 to 8 are 1 to 4 after swapping rows and columns; within each four: unchanged, columns
  // reversed, rows reversed, both.
  const bool swap = orientation >= 5;
  const int flips = (orientation - 1) % 4;
  const int n = pattern.size();
  Pattern oriented(n);
  for (int r = 1; r <= n; ++r) {
    for (int c = 1; c <= n; ++c) {
      int row = swap ? c : r;
      int column = swap ? r : c;
      if ((flips & 2) != 0) row = n - row + 1;
      if ((flips & 1) != 0) column = n - column + 1;
      oriented.set(row, column, pattern.at(r, c));
    }
  }
  return oriented;
}

const std::array<PatternPair, 5>& SmoothingPairs() {
  static const std::array<PatternPair, 5> pairs = {{
      {{"0000", "1010", "0100", "0010"}, {"0000", "1100", "0010", "0010"}},
      {{"00100", "00100", "01010", "10100", "00000"},
       {"00100", "00100", "00010", "11100", "00000"}},
      {{"00000", "00100", "01000", "10100", "10010"},
       {"00000", "00100", "01010", "10010", "10010"}},
      {{"00001", "00010", "00100", "01011", "00000"},
       {"00001", "00010", "00100", "01111", "00000"}},
      {{"00000", "00100", "01010", "10100", "00010"},
       {"00000", "00100", "01010", "10010", "00010"}},
  }};
  return pairs;
}

}  // namespace vexa::cutting
