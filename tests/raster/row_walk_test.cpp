// The row walk shared by the laser and wood-burning runs: which moves, in which order. The
// exact command sequences of the small cases are checked against vexa-sim
// (qt_raster_commands_test.cpp); here the walk is held against the system's own bookkeeping.

#include "raster/row_walk.h"

#include <gtest/gtest.h>

#include "picture/picture_samples.h"
#include "raster/walk_trace.h"

namespace vexa::raster {
namespace {

using picture::PixelBuffer;
using picture::test::GrayPicture;
using picture::test::NoisePicture;
using Steps = std::vector<std::string>;

WalkRules laser(bool doublePass = false, bool returnToStart = false) {
  return {[doublePass] { return doublePass; }, false, [returnToStart] { return returnToStart; }};
}

WalkRules wood(bool returnToStart = false) {
  return {{}, true, [returnToStart] { return returnToStart; }};
}

Steps walk(const PixelBuffer& picture, const WalkRules& rules) {
  test::WalkTrace trace;
  WalkRows(picture, rules, trace);
  return trace.steps;
}

// The run's bookkeeping exactly as the system describes it (last column, direction flag, last
// dark column E, row-move count), kept here to check the walk's shorter form against.
Steps referenceWalk(const PixelBuffer& p, bool doublePass, bool woodRows, bool returnToStart) {
  test::WalkTrace out;
  const int w = p.width(), h = p.height();
  int y = 1, last = 0, e = 0, rowMoves = 0;
  bool flag = false;
  while (y <= h) {
    for (int x = 1; x <= w; ++x) {
      const int v = p.gray(x, y);
      if (v == 255) continue;
      e = x;
      if (flag && x - last != 1) {
        out.travel(x - last - 1, x - 1);
        last = x - 1;
      }
      if (!flag) {
        if (x != last) out.travel(x - last, x - 1);
        last = x - 1;
      }
      flag = true;
      out.burn(1, static_cast<std::uint8_t>(v), x, x, y);
      last = x;
    }
    if (!doublePass) {
      ++y;
      ++rowMoves;
      out.rowMove(y);
      out.rowDone(false);
    }
    if (y > h) break;
    for (int x = w; x >= 1; --x) {
      const int v = p.gray(x, y);
      if (v == 255) continue;
      e = x;
      if (!flag && x - last != -1) {
        out.travel(x - last + 1, x);
        last = x + 1;
      }
      if (flag) {
        if (x != last) out.travel(x - last, x);
        last = x + 1;
      }
      flag = false;
      out.burn(-1, static_cast<std::uint8_t>(v), x - 1, x, y);
      last = x;
    }
    ++y;
    if (y <= h || woodRows) {
      ++rowMoves;
      out.rowMove(y);
    }
    out.rowDone(true);
  }
  if (returnToStart) out.returnMove((flag ? 0 : 1) - e, -rowMoves);
  return out.steps;
}

TEST(RowWalk, WhiteRunsAreCrossedByOneTravelInEitherDirection) {
  const PixelBuffer picture = GrayPicture({{0, 255, 255, 255, 0}, {0, 255, 255, 255, 0}});
  EXPECT_EQ(walk(picture, laser()),
            (Steps{"travel 1 @0", "burn 1 v=0 @1 (1,1)", "travel 3 @4", "burn 1 v=0 @5 (5,1)",
                   "row 2", "done fwd", "burn -1 v=0 @4 (5,2)", "travel -3 @1",
                   "burn -1 v=0 @0 (1,2)", "done bwd"}));
}

TEST(RowWalk, DoublePassIsReadAfterEveryForwardRow) {
  const PixelBuffer picture(1, 3);
  bool twice = true;
  WalkRules rules{[&] { return std::exchange(twice, !twice); }, false, {}};
  EXPECT_EQ(walk(picture, rules), (Steps{"row 2", "done bwd", "row 3", "done fwd", "done bwd"}));
}

TEST(RowWalk, AllWhitePictureMakesOnlyRowMovesAndReturnsOnePixelInToEdgeZero) {
  EXPECT_EQ(walk(PixelBuffer(3, 2), laser(false, true)),
            (Steps{"row 2", "done fwd", "done bwd", "return 1,-1"}));
  EXPECT_EQ(walk(PixelBuffer(3, 2), wood(true)),
            (Steps{"row 2", "done fwd", "row 3", "done bwd", "return 1,-2"}));
}

TEST(RowWalk, MatchesTheSystemsBookkeepingOnManyPictures) {
  for (std::uint32_t seed = 1; seed <= 300; ++seed) {
    const int width = 1 + static_cast<int>(seed % 9);
    const int height = 1 + static_cast<int>((seed / 9) % 6);
    PixelBuffer picture = NoisePicture(width, height, seed);
    // Mostly white, so travel moves of every length occur.
    for (int y = 1; y <= height; ++y) {
      for (int x = 1; x <= width; ++x) {
        if (picture.gray(x, y) > 90) picture.setGray(x, y, 255);
      }
    }
    for (int variant = 0; variant < 3; ++variant) {
      const bool doublePass = variant == 1;
      const bool woodRows = variant == 2;
      const WalkRules rules = woodRows ? wood(true) : laser(doublePass, true);
      ASSERT_EQ(walk(picture, rules), referenceWalk(picture, doublePass, woodRows, true))
          << "seed " << seed << " variant " << variant;
    }
  }
}

TEST(RowWalk, EveryRunEndsWhereTheReturnPutsTheHeadOnTheFirstRow) {
  for (std::uint32_t seed = 1; seed <= 50; ++seed) {
    const PixelBuffer picture = NoisePicture(7, 5, seed);
    struct Sum : test::WalkTrace {
      long x = 0, y = 0;
      void travel(std::int32_t dx, std::int32_t) override { x += dx; }
      void burn(std::int32_t dx, std::uint8_t, std::int32_t, int, int) override { x += dx; }
      void rowMove(int) override { ++y; }
      void returnMove(std::int32_t dx, std::int32_t dy) override { x += dx, y += dy; }
    } sum;
    WalkRows(picture, laser(seed % 2 == 0, true), sum);
    EXPECT_EQ(sum.x, 1) << "edge 0 lies one pixel step from the start point";
    EXPECT_EQ(sum.y, 0);
  }
}

}  // namespace
}  // namespace vexa::raster
