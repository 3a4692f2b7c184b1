// The preparation operations on pictures whose result is known: what each keeps, what it
// changes, and what it shows while it runs.

#include <gtest/gtest.h>

#include <functional>

#include "cutting/cutting_pictures.h"
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
using picture::test::Levels;

const OperationDisplay kQuiet;

struct Operation {
  const char* name;
  std::function<void(PixelBuffer&, const OperationDisplay&)> run;
  int frame;  // the width of the border it never changes
};

const std::vector<Operation> kOperations = {
    {"PrepareGray", [](PixelBuffer& p, const OperationDisplay& d) { PrepareGray(p, 1, d); }, 1},
    {"RaiseContrast", [](PixelBuffer& p, const OperationDisplay& d) { RaiseContrast(p, 1, d); }, 2},
    {"TrimPixels", [](PixelBuffer& p, const OperationDisplay& d) { TrimPixels(p, 1, d); }, 1},
    {"ClearSpecks", [](PixelBuffer& p, const OperationDisplay& d) { ClearSpecks(p, 1, d); }, 1},
    {"MakeBlackWhite", [](PixelBuffer& p, const OperationDisplay& d) { MakeBlackWhite(p, 1, d); },
     1},
    {"SmoothLines", [](PixelBuffer& p, const OperationDisplay& d) { SmoothLines(p, d); }, 0},
};

TEST(PreparationOperations, WhiteStaysWhiteAndFramesStay) {
  for (const Operation& op : kOperations) {
    SCOPED_TRACE(op.name);
    PixelBuffer white(9, 8);
    op.run(white, kQuiet);
    EXPECT_EQ(white, PixelBuffer(9, 8));

    const PixelBuffer noise = test::EdgyLevels(12, 10, 5);
    PixelBuffer changed = noise;
    op.run(changed, kQuiet);
    for (int y = 1; y <= 10; ++y) {
      for (int x = 1; x <= 12; ++x) {
        const bool inFrame =
            x <= op.frame || y <= op.frame || x > 12 - op.frame || y > 10 - op.frame;
        if (inFrame) {
          EXPECT_EQ(changed.gray(x, y), noise.gray(x, y)) << x << "," << y;
        }
      }
    }
  }
  PixelBuffer white(6, 6);
  EXPECT_FALSE(TrimPixels(white, 1, kQuiet));
}

TEST(PreparationOperations, StatusTextsAndProgress) {
  std::vector<std::string> shown;
  std::vector<int> progress;
  int hidden = 0;
  OperationDisplay display;
  display.show = [&](const std::string& text) { shown.push_back(text); };
  display.progress = [&](int value) { progress.push_back(value); };
  display.hide = [&] { ++hidden; };
  PixelBuffer picture = test::EdgyLevels(10, 10, 2);
  PrepareGray(picture, 1, display);
  RaiseContrast(picture, 3, display);
  TrimPixels(picture, 2, display);
  ClearSpecks(picture, 1, display);
  MakeBlackWhite(picture, 1, display);
  SmoothLines(picture, display);
  EXPECT_EQ(shown, (std::vector<std::string>{"Нейро. ST - 1", "Нейро. CN - 3", "Нейро. CR - 2",
                                             "Нейро. CL - 1", "Нейро. GS - 1", "Нейро. SM - 1",
                                             "Нейро. SM - 2", "Нейро. SM - 3", "Нейро. SM - 4",
                                             "Нейро. SM - 5"}));
  EXPECT_EQ(hidden, 10);
  // The first pass's rows 2 to 9 of 10: 20 % to 90 %.
  EXPECT_EQ(std::vector<int>(progress.begin(), progress.begin() + 8),
            (std::vector<int>{20, 30, 40, 50, 60, 70, 80, 90}));
}

TEST(PreparationOperations, GrayWithWhiteCutOff) {
  PixelBuffer picture = GrayPicture({{0, 0, 0, 0}, {0, 99, 100, 0}, {0, 37, 250, 0}, {0, 0, 0, 0}});
  picture.setColor(3, 3, 10, 50, 200);  // 0.3 x 200 + 0.59 x 50 + 0.11 x 10 = 90.6
  PrepareGray(picture, 1, kQuiet);
  EXPECT_EQ(Levels(picture), (std::vector<std::vector<int>>{
                                 {0, 0, 0, 0}, {0, 99, 255, 0}, {0, 37, 91, 0}, {0, 0, 0, 0}}));
  EXPECT_TRUE(picture.isGray());
}

TEST(PreparationOperations, ContrastDoublesUniformAreasAndSaturates) {
  for (const auto& [level, raised] :
       std::vector<std::pair<int, int>>{{100, 200}, {128, 255}, {0, 0}}) {
    PixelBuffer picture(7, 7, static_cast<std::uint8_t>(level));
    RaiseContrast(picture, 1, kQuiet);
    EXPECT_EQ(picture.gray(4, 4), raised) << level;
    EXPECT_EQ(picture.gray(3, 5), raised) << level;
    EXPECT_EQ(picture.gray(2, 4), level) << "two-pixel frame";
  }
  // 40 - (70 + 12) / 4 = 19.5 and 40 - (70 + 16) / 4 = 18.5: ties, to the even 20 and 18.
  for (const auto& [neighbour, raised] : std::vector<std::pair<int, int>>{{12, 20}, {16, 18}}) {
    PixelBuffer tie(5, 5, 10);
    tie.setGray(2, 3, static_cast<std::uint8_t>(neighbour));
    RaiseContrast(tie, 1, kQuiet);
    EXPECT_EQ(tie.gray(3, 3), raised) << neighbour;
  }
}

TEST(PreparationOperations, ThinningKeepsEndsAndLonePixels) {
  struct Case {
    const char* name;
    std::vector<std::string> before, after;
    bool changed;
  };
  const std::vector<Case> cases = {
      {"a lone pixel (code 16) stays",
       {".....", "..#..", "....."},
       {".....", "..#..", "....."},
       false},
      {"a run of three keeps its ends (24, 48) and middle (56)",
       {".......", ".###...", "......."},
       {".......", ".###...", "......."},
       false},
      // The corner's code 176 (16 + 32 + 128) is in the set: the corner is cut.
      {"a square corner is cut off",
       {".....", ".##..", ".#...", "....."},
       {".....", "..#..", ".#...", "....."},
       true},
      {"a solid block thins in reading order",
       {"......", ".####.", ".####.", ".####.", "......"},
       {"......", "....#.", "....#.", ".###..", "......"},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PixelBuffer picture = Drawn(c.before);
    EXPECT_EQ(TrimPixels(picture, 1, kQuiet), c.changed);
    EXPECT_EQ(picture, Drawn(c.after));
  }
}

TEST(PreparationOperations, ClearingSpecksShortensFreeEnds) {
  struct Case {
    const char* name;
    std::vector<std::string> before, after;
  };
  const std::vector<Case> cases = {
      {"a single pixel goes", {"....", ".#..", "...."}, {"....", "....", "...."}},
      {"both pixels of a lone pair go",
       {".....", ".#...", "..#..", "....."},
       {".....", ".....", ".....", "....."}},
      {"a line loses one pixel at each free end",
       {"........", ".######.", "........"},
       {"........", "..####..", "........"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    PixelBuffer picture = Drawn(c.before);
    ClearSpecks(picture, 1, kQuiet);
    EXPECT_EQ(picture, Drawn(c.after));
  }
}

TEST(PreparationOperations, BlackWhiteThreshold) {
  PixelBuffer picture = GrayPicture({{50, 50, 50}, {50, 99, 50}, {50, 50, 50}});
  MakeBlackWhite(picture, 1, kQuiet);
  EXPECT_EQ(picture.gray(2, 2), 0);
  picture.setGray(2, 2, 100);
  MakeBlackWhite(picture, 1, kQuiet);
  EXPECT_EQ(picture.gray(2, 2), 255);
  EXPECT_EQ(picture.gray(1, 1), 50);
}

TEST(PreparationOperations, PatternWindows) {
  const PatternPair& first = SmoothingPairs()[0];  // 0000 / 1010 / 0100 / 0010
  // The pattern with its window at (2, 2): replaced by 0000 / 1100 / 0010 / 0010.
  PixelBuffer picture = Drawn({"......", "......", "..#.#.", "...#..", "....#.", "......"});
  ApplyPattern(picture, 1, first.before, first.after, kQuiet);
  EXPECT_EQ(picture, Drawn({"......", "......", "..##..", "....#.", "....#.", "......"}));

  // A gray pixel contradicts no cell: the window matches over it and becomes pure.
  PixelBuffer gray = Drawn({"......", "......", "..#.#.", "...#..", "....#.", "......"});
  gray.setGray(3, 2, 128);
  ApplyPattern(gray, 1, first.before, first.after, kQuiet);
  EXPECT_EQ(gray, Drawn({"......", "......", "..##..", "....#.", "....#.", "......"}));

  // The windows reach the last row and column, never the first: each written window makes the
  // next one below it match.
  PixelBuffer corner = Drawn({"....", "...#", "....", "...."});
  ApplyPattern(corner, 1, Pattern{"01", "00"}, Pattern{"01", "01"}, kQuiet);
  EXPECT_EQ(corner, Drawn({"....", "...#", "...#", "...#"}));
}

TEST(PreparationOperations, SymmetricPatternsAreTriedOncePerDistinctOrientation) {
  struct Case {
    Pattern before;
    std::vector<int> progress;
  };
  const std::vector<Case> cases = {
      {Pattern{"010", "111", "010"}, {12}},                               // the same all eight ways
      {Pattern{"010", "010", "000"}, {12, 37, 62, 75}},                   // up, down, left, right
      {Pattern{"110", "000", "000"}, {12, 25, 37, 50, 62, 75, 87, 100}},  // eight different
  };
  for (const Case& c : cases) {
    std::vector<int> progress;
    OperationDisplay display;
    display.progress = [&](int value) { progress.push_back(value); };
    PixelBuffer picture(8, 8);
    ApplyPattern(picture, 1, c.before, c.before, display);
    EXPECT_EQ(progress, c.progress);
  }
}

}  // namespace
}  // namespace vexa::cutting
