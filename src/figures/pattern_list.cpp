#include "figures/pattern_list.h"

#include <bit>
#include <charconv>

namespace vexa::figures {

namespace {

constexpr int kCentreBit = 16;

int shownBits(int number) {
  return number < 0 ? 0 : number & kLastPattern;
}

}  // namespace

std::array<bool, kPatternCells> PatternCells(int number) {
  std::array<bool, kPatternCells> cells{};
  const int bits = shownBits(number);
  for (int i = 0; i < kPatternCells; ++i) cells[i] = (bits >> i & 1) != 0;
  return cells;
}

bool IsListedPattern(int number) {
  const int bits = shownBits(number);
  return (bits & kCentreBit) != 0 && std::popcount(static_cast<unsigned>(bits)) >= 3;
}

int NextPattern(int number) {
  if (number >= kLastPattern) return number;
  // Negative numbers show no cell, so the search may start at 0.
  for (int candidate = number < 0 ? 0 : number + 1; candidate <= kLastPattern; ++candidate) {
    if (IsListedPattern(candidate)) return candidate;
  }
  return kLastPattern;
}

int IncludePattern(std::string& list, int number) {
  if (!list.empty()) list += ',';
  list += std::to_string(number);
  return NextPattern(number);
}

std::optional<int> ReadPatternNumber(std::string_view text) {
  const auto notSpace = text.find_first_not_of(" \t");
  if (notSpace == std::string_view::npos) return std::nullopt;
  text = text.substr(notSpace, text.find_last_not_of(" \t") - notSpace + 1);
  if (text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() == '-') return std::nullopt;
  }
  int number = 0;
  const char* last = text.data() + text.size();
  const auto [end, error] = std::from_chars(text.data(), last, number);
  if (error != std::errc() || end != last) return std::nullopt;
  return number;
}

}  // namespace vexa::figures
