// The fast preparation operations against the plain ones (plain_cutting.h) on generated
// pictures: sizes around the regions' limits and the 64-column words of the smoothing, levels on
// the operations' edges, gray and colour pixels.

#include <gtest/gtest.h>

#include <vector>

#include "cutting/cutting_pictures.h"
#include "cutting/plain_cutting.h"
#include "cutting/smooth_lines.h"
#include "cutting/thinning.h"
#include "cutting/tone_operations.h"

namespace vexa::cutting {
namespace {

using picture::PixelBuffer;

struct Size {
  int width, height;
};
const std::vector<Size> kSizes = {{1, 1}, {2, 2},   {3, 3},   {4, 4},  {5, 5},    {6, 5},
                                  {7, 9}, {63, 20}, {64, 21}, {65, 6}, {129, 17}, {200, 90}};

const OperationDisplay kQuiet;

TEST(PreparationReference, EachOperationMatchesThePlainOne) {
  for (const Size& size : kSizes) {
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
      SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height) + " seed " +
                   std::to_string(seed));
      const PixelBuffer input = test::EdgyLevels(size.width, size.height, seed);
      struct Pair {
        const char* name;
        void (*fast)(PixelBuffer&);
        void (*plain)(PixelBuffer&);
      };
      const Pair pairs[] = {
          {"PrepareGray", [](PixelBuffer& p) { PrepareGray(p, 1, kQuiet); }, plain::PrepareGray},
          {"RaiseContrast", [](PixelBuffer& p) { RaiseContrast(p, 1, kQuiet); },
           plain::RaiseContrast},
          {"ClearSpecks", [](PixelBuffer& p) { ClearSpecks(p, 1, kQuiet); }, plain::ClearSpecks},
          {"MakeBlackWhite", [](PixelBuffer& p) { MakeBlackWhite(p, 1, kQuiet); },
           plain::MakeBlackWhite},
      };
      for (const Pair& pair : pairs) {
        PixelBuffer fast = input, slow = input;
        pair.fast(fast);
        pair.plain(slow);
        EXPECT_EQ(fast, slow) << pair.name;
      }
      // Thinning is tested on its own inputs: speckled black and white with its passes chained.
      PixelBuffer fast = test::Speckled(size.width, size.height, 20 + 15 * int(seed), seed);
      PixelBuffer slow = fast;
      for (int pass = 1; pass <= 4; ++pass) {
        EXPECT_EQ(TrimPixels(fast, pass, kQuiet), plain::TrimPixels(slow)) << "pass " << pass;
        EXPECT_EQ(fast, slow) << "TrimPixels pass " << pass;
      }
    }
  }
}

TEST(PreparationReference, PatternsMatchThePlainScanWritesAndProgress) {
  // The smoothing pairs, and random patterns of other sizes whose windows overlap their writes.
  std::vector<PatternPair> pairs(SmoothingPairs().begin(), SmoothingPairs().end());
  test::Lcg random(7);
  for (int n = 2; n <= 6; ++n) {
    for (int k = 0; k < 3; ++k) {
      Pattern before(n), after(n);
      for (int r = 1; r <= n; ++r) {
        for (int c = 1; c <= n; ++c) {
          before.set(r, c, random.below(3) == 0);
          after.set(r, c, random.below(2) == 0);
        }
      }
      pairs.push_back({before, after});
    }
  }
  for (const Size& size : kSizes) {
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
      const PixelBuffer input = test::Speckled(size.width, size.height, 10 * int(seed), seed);
      for (std::size_t i = 0; i < pairs.size(); ++i) {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height) + " seed " +
                     std::to_string(seed) + " pair " + std::to_string(i));
        PixelBuffer fast = input, slow = input;
        std::vector<int> progress;
        OperationDisplay display;
        display.progress = [&](int value) { progress.push_back(value); };
        ApplyPattern(fast, 1, pairs[i].before, pairs[i].after, display);
        EXPECT_EQ(progress, plain::ApplyPattern(slow, pairs[i].before, pairs[i].after));
        EXPECT_EQ(fast, slow);
      }
    }
  }
}

TEST(PreparationReference, SmoothLinesIsTheFivePairsInTurn) {
  PixelBuffer fast = test::Speckled(150, 80, 30, 11);
  PixelBuffer slow = fast;
  SmoothLines(fast, kQuiet);
  for (const PatternPair& pair : SmoothingPairs())
    plain::ApplyPattern(slow, pair.before, pair.after);
  EXPECT_EQ(fast, slow);
}

TEST(PreparationReference, OrientationsFollowTheTable) {
  const Pattern p{"110", "001", "000"};
  for (int k = 1; k <= 8; ++k) EXPECT_EQ(OrientPattern(p, k), plain::Orient(p, k)) << k;
  // Read the other way: a quarter turn clockwise puts the top row on the right-hand column.
  EXPECT_EQ(OrientPattern(p, 6), (Pattern{"001", "001", "010"}));
  EXPECT_EQ(OrientPattern(p, 7), (Pattern{"010", "100", "100"}));
}

}  // namespace
}  // namespace vexa::cutting
