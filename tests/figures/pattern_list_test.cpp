// The 3 x 3 pattern list: cells, "Дальше", "Включить", reading the typed number.

#include "figures/pattern_list.h"

#include <gtest/gtest.h>

namespace vexa::figures {
namespace {

using Cells = std::array<bool, kPatternCells>;

TEST(PatternCells, CellIStandsForBitIMinus1) {
  EXPECT_EQ(PatternCells(0), Cells{});
  EXPECT_EQ(PatternCells(19), (Cells{true, true, false, false, true}));
  EXPECT_EQ(PatternCells(256),
            (Cells{false, false, false, false, false, false, false, false, true}));
  Cells all;
  all.fill(true);
  EXPECT_EQ(PatternCells(511), all);
}

TEST(PatternCells, BitsAboveTheNinthAndNegativeNumbersShowNothing) {
  EXPECT_EQ(PatternCells(512), Cells{});
  EXPECT_EQ(PatternCells(513), (Cells{true}));
  EXPECT_EQ(PatternCells(-1), Cells{});
  EXPECT_EQ(PatternCells(-511), Cells{});
}

TEST(NextPattern, StepsToCentreSetWithAtLeastThreeCells) {
  std::vector<int> seenNumbers;
  int number = 0;
  for (int i = 0; i < 5; ++i) seenNumbers.push_back(number = NextPattern(number));
  EXPECT_EQ(seenNumbers, (std::vector<int>{19, 21, 22, 23, 25}));
  EXPECT_EQ(NextPattern(-40), 19);
  EXPECT_EQ(NextPattern(480), 496);
}

TEST(NextPattern, StopsAt511InsteadOfSearchingForever) {
  EXPECT_EQ(NextPattern(510), 511);
  EXPECT_EQ(NextPattern(511), 511);
  EXPECT_EQ(NextPattern(512), 512);
  EXPECT_EQ(NextPattern(600), 600);
  EXPECT_EQ(NextPattern(std::numeric_limits<int>::max()), std::numeric_limits<int>::max());
  EXPECT_EQ(NextPattern(std::numeric_limits<int>::min()), 19);
  std::string list;
  EXPECT_EQ(IncludePattern(list, 511), 511);
  EXPECT_EQ(list, "511");
}

TEST(ReadPatternNumber, TakesWholeNumbersOnly) {
  EXPECT_EQ(ReadPatternNumber("511"), 511);
  EXPECT_EQ(ReadPatternNumber(" 42 "), 42);
  EXPECT_EQ(ReadPatternNumber("-3"), -3);
  EXPECT_EQ(ReadPatternNumber("+5"), 5);
  for (const char* text :
       {"", "  ", "abc", "4,5", "4.5", "12a", "++1", "+-1", "1 2", "99999999999"}) {
    EXPECT_EQ(ReadPatternNumber(text), std::nullopt) << text;
  }
}

}  // namespace
}  // namespace vexa::figures
