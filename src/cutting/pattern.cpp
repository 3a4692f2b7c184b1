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
  const int n = pattern.size();
  Pattern oriented(n);
  for (int r = 1; r <= n; ++r) {
    for (int c = 1; c <= n; ++c) {
      const bool cell = pattern.at(r, c);
      switch (orientation) {
        case 1:
          oriented.set(r, c, cell);
          break;
        case 2:
          oriented.set(r, n - c + 1, cell);
          break;
        case 3:
          oriented.set(n - r + 1, c, cell);
          break;
        case 4:
          oriented.set(n - r + 1, n - c + 1, cell);
          break;
        case 5:
          oriented.set(c, r, cell);
          break;
        case 6:
          oriented.set(c, n - r + 1, cell);
          break;
        case 7:
          oriented.set(n - c + 1, r, cell);
          break;
        default:
          oriented.set(n - c + 1, n - r + 1, cell);
          break;
      }
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
