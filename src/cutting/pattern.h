#pragma once
// Square 0/1 patterns of the smoothing operation and their eight orientations.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

namespace vexa::cutting {

class Pattern {
 public:
  explicit Pattern(int size) : size_(size), cells_(static_cast<std::size_t>(size * size), 0) {}
  // Rows from the top, each from the left: '1' black, '0' white.
  Pattern(std::initializer_list<std::string_view> rows);

  int size() const { return size_; }
  // Row r and column c counted from 1; true is black.
  bool at(int r, int c) const { return cells_[index(r, c)] != 0; }
  void set(int r, int c, bool black) { cells_[index(r, c)] = black ? 1 : 0; }

  friend bool operator==(const Pattern&, const Pattern&) = default;

 private:
  std::size_t index(int r, int c) const {
    return static_cast<std::size_t>((r - 1) * size_ + c - 1);
  }

  int size_;
  std::vector<std::uint8_t> cells_;
};

// Orientation 1 to 8, in the order the smoothing tries them: unchanged, mirrored left to right,
// mirrored top to bottom, half a turn, mirrored about the main diagonal, a quarter clockwise, a
// quarter counter-clockwise, mirrored about the other diagonal.
Pattern OrientPattern(const Pattern& pattern, int orientation);

struct PatternPair {
  Pattern before;
  Pattern after;
};

// The five pairs of "Сглаживание", in the order they are applied.
const std::array<PatternPair, 5>& SmoothingPairs();

}  // namespace vexa::cutting
