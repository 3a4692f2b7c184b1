// The preparation operations on pictures whose result is known, and what they show while they
// run. Frames and every other pixel are compared with the plain twins in the reference test.

#include <gtest/gtest.h>

#include <functional>

#include "cutting/smooth_lines.h"
#include "cutting/thinning.h"
#include "cutting/tone_operations.h"
#include "figures/figure_pictures.h"
#include "picture/picture_samples.h"

namespace vexa::cutting {
namespace {

using figures::test::Drawn;
using picture::PixelBuffer;
using picture::test::GrayPicture;

const OperationDisplay kQuiet;

TEST(PreparationOperations, WhiteStaysWhiteAndEachNamesItself) {
  std::vector<std::string> shown;
  std::vector<int> progress;
  int hidden = 0;
  OperationDisplay display;
  display.show = [&](const std::string& text) { shown.push_back(text); };
  display.progress = [&](int value) { progress.push_back(value); };
  display.hide = [&] { ++hidden; };
  PixelBuffer picture(10, 10);
  PrepareGray(picture, 1, display);
  RaiseContrast(picture, 3, display);
  EXPECT_FALSE(TrimPixels(picture, 2, display));
  ClearSpecks(picture, 1, display);
  MakeBlackWhite(picture, 1, display);
  SmoothLines(picture, display);
  EXPECT_EQ(picture, PixelBuffer(10, 10));
  EXPECT_EQ(shown, (std::vector<std::string>{"Нейро. ST - 1", "Нейро. CN - 3", "Нейро. CR - 2",
                                             "Нейро. CL - 1", "Нейро. GS - 1", "Нейро. SM - 1",
                                             "Нейро. SM - 2", "Нейро. SM - 3", "Нейро. SM - 4",
                                             "Нейро. SM - 5"}));
  EXPECT_EQ(hidden, 10);
  // The first pass's rows 2 to 9 of 10: 20 % to 90 %.
  EXPECT_EQ(std::vector<int>(progress.begin(), progress.begin() + 8),
            (std::vector<int>{20, 30, 40, 50, 60, 70, 80, 90}));
}

TEST(PreparationOperations, GrayAndContrast) {
  // Neutral gray below 100 stays, 100 and above turns white; a colour pixel is weighed.
  PixelBuffer gray = GrayPicture({{0, 0, 0, 0}, {0, 99, 100, 0}, {0, 37, 250, 0}, {0, 0, 0, 0}});
  gray.setColor(3, 3, 10, 50, 200);  // 0.3 x 200 + 0.59 x 50 + 0.11 x 10 = 90.6
  PrepareGray(gray, 1, kQuiet);
  EXPECT_EQ(
      picture::test::Levels(gray),
      (std::vector<std::vector<int>>{{0, 0, 0, 0}, {0, 99, 255, 0}, {0, 37, 91, 0}, {0, 0, 0, 0}}));
  EXPECT_TRUE(gray.isGray());

  // Uniform areas double and saturate; 40 - (70 + 12) / 4 = 19.5 and 40 - (70 + 16) / 4 = 18.5
  // are ties, to the even 20 and 18.
  const std::vector<std::tuple<int, int, int>> cases = {
      {100, 100, 200}, {128, 128, 255}, {10, 12, 20}, {10, 16, 18}};
  for (const auto& [level, neighbour, raised] : cases) {
    PixelBuffer picture(5, 5, static_cast<std::uint8_t>(level));
    picture.setGray(2, 3, static_cast<std::uint8_t>(neighbour));
    RaiseContrast(picture, 1, kQuiet);
    EXPECT_EQ(picture.gray(3, 3), raised) << level << " " << neighbour;
  }
}

TEST(PreparationOperations, ThinningAndSpecks) {
  struct Case {
    const char* name;
    std::function<void(PixelBuffer&)> operation;
    std::vector<std::string> before, after;
  };
  auto trim = [](PixelBuffer& p) { TrimPixels(p, 1, kQuiet); };
  auto clear = [](PixelBuffer& p) { ClearSpecks(p, 1, kQuiet); };
  const std::vector<Case> cases = {
      {"trimming keeps a lone pixel (code 16)", trim, {"...", ".#.", "..."}, {"...", ".#.", "..."}},
      {"trimming keeps a run's ends (24, 48) and middle (56)",
       trim,
       {".....", ".###.", "....."},
       {".....", ".###.", "....."}},
      // The corner's code 176 (16 + 32 + 128) is in the set.
      {"trimming cuts a square corner",
       trim,
       {".....", ".##..", ".#...", "....."},
       {".....", "..#..", ".#...", "....."}},
      {"trimming thins a block in reading order",
       trim,
       {"......", ".####.", ".####.", ".####.", "......"},
       {"......", "....#.", "....#.", ".###..", "......"}},
      {"clearing takes a single pixel", clear, {"...", ".#.", "..."}, {"...", "...", "..."}},
      {"clearing takes both pixels of a lone pair",
       clear,
       {".....", ".#...", "..#..", "....."},
       {".....", ".....", ".....", "....."}},
      {"clearing shortens a line by a pixel at each free end",
       clear,
       {"........", ".######.", "........"},
       {"........", "..####..", "........"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PixelBuffer picture = Drawn(c.before);
    c.operation(picture);
    EXPECT_EQ(picture, Drawn(c.after));
  }
}

TEST(PreparationOperations, PatternWindows) {
  const PatternPair& first = SmoothingPairs()[0];  // 0000 / 1010 / 0100 / 0010
  // The pattern with its window at (3, 2) is replaced by 0000 / 1100 / 0010 / 0010; a gray pixel
  // in the window contradicts no cell and becomes pure too.
  for (const bool grayInside : {false, true}) {
    PixelBuffer picture = Drawn({"......", "......", "..#.#.", "...#..", "....#.", "......"});
    if (grayInside) picture.setGray(3, 2, 128);
    ApplyPattern(picture, 1, first.before, first.after, kQuiet);
    EXPECT_EQ(picture, Drawn({"......", "......", "..##..", "....#.", "....#.", "......"}));
  }
  // The windows reach the last row and column, never the first: each written window makes the
  // next one below it match.
  PixelBuffer corner = Drawn({"....", "...#", "....", "...."});
  ApplyPattern(corner, 1, Pattern{"01", "00"}, Pattern{"01", "01"}, kQuiet);
  EXPECT_EQ(corner, Drawn({"....", "...#", "...#", "...#"}));
}

TEST(PreparationOperations, SymmetricPatternsAreTriedOncePerDistinctOrientation) {
  const std::vector<std::pair<Pattern, std::vector<int>>> cases = {
      {Pattern{"010", "111", "010"}, {12}},                               // all eight the same
      {Pattern{"010", "010", "000"}, {12, 37, 62, 75}},                   // up, down, left, right
      {Pattern{"110", "000", "000"}, {12, 25, 37, 50, 62, 75, 87, 100}},  // eight different
  };
  for (const auto& [before, expected] : cases) {
    std::vector<int> progress;
    OperationDisplay display;
    display.progress = [&](int value) { progress.push_back(value); };
    PixelBuffer picture(8, 8);
    ApplyPattern(picture, 1, before, before, display);
    EXPECT_EQ(progress, expected);
  }
}

}  // namespace
}  // namespace vexa::cutting
