// Finding and ordering strokes: the shapes whose strokes are known, the faults mended (walks
// bounded, nothing read outside the picture), and the fast search and order against the plain
// ones on generated drawings and tables.

#include <gtest/gtest.h>

#include <ostream>

#include "cutting/cutting_pictures.h"
#include "cutting/find_strokes.h"
#include "cutting/order_strokes.h"
#include "cutting/plain_cutting.h"
#include "figures/figure_pictures.h"

namespace vexa::cutting {
namespace {

using figures::test::Drawn;
using picture::PixelBuffer;

Strokes find(PixelBuffer& laser) {
  Strokes strokes;
  EventPacer pacer{{}};
  FindStrokes(laser, strokes, pacer);
  return strokes;
}

struct StrokeEnds {
  int sx, sy, ex, ey;
  friend bool operator==(const StrokeEnds&, const StrokeEnds&) = default;
  friend std::ostream& operator<<(std::ostream& out, const StrokeEnds& s) {
    return out << "(" << s.sx << "," << s.sy << ")-(" << s.ex << "," << s.ey << ")";
  }
};

std::vector<StrokeEnds> endsOf(const Strokes& strokes) {
  std::vector<StrokeEnds> ends;
  for (const StrokeRecord& s : strokes.table) ends.push_back({s.startX, s.startY, s.endX, s.endY});
  return ends;
}

struct ShapeCase {
  const char* name;
  std::vector<std::string> drawing;
  std::vector<StrokeEnds> strokes;
  std::vector<Pixel> leftOver = {};  // dark pixels no stroke takes
};

TEST(FindStrokes, KnownShapes) {
  const std::vector<ShapeCase> cases = {
      {"a line of ten: one stroke from its right end",
       {"............", "............", ".##########.", "............"},
       {{11, 3, 2, 3}}},
      {"a lone pixel: start and end coincide", {"....", ".#..", "...."}, {{2, 2, 2, 2}}},
      {"two lines: two strokes",
       {"..........", ".###......", "..........", "......###.", ".........."},
       {{4, 2, 2, 2}, {9, 4, 7, 4}}},
      {"a T: the bar's right half and the stem, then the left half",
       {"...........", ".#########.", ".....#.....", ".....#.....", ".....#.....", "..........."},
       {{10, 2, 6, 5}, {6, 2, 2, 2}}},
      {"a closed ring: one stroke from the seed to its neighbour",
       {".......", "..###..", ".#...#.", ".#...#.", "..###..", "......."},
       {{3, 2, 2, 3}}},
      // The end search from (2, 3) passes (3, 4) twice on its way to the end (2, 5), as its
      // rules allow.
      {"a hook whose end search crosses its own path: the end is where the rules end",
       {"......", "......", ".#.#..", "..##..", ".#....", "......"},
       {{2, 5, 2, 3}, {4, 4, 4, 3}}},
      // The trace cuts the corner (1, 1) with a diagonal step; the corner is a stroke of its own.
      {"lines on the picture's edges: nothing outside is read, the last row holds no seed",
       {"####.", "#....", "#..#.", "..##.", "#...."},
       {{4, 1, 1, 3}, {1, 1, 1, 1}, {4, 3, 3, 4}},
       {{1, 5}}},
  };
  for (const ShapeCase& c : cases) {
    SCOPED_TRACE(c.name);
    PixelBuffer laser = Drawn(c.drawing);
    const Strokes strokes = find(laser);
    EXPECT_EQ(endsOf(strokes), c.strokes);
    for (const StrokeRecord& s : strokes.table) {
      EXPECT_EQ(laser.pixel(s.startX, s.startY)[2], 255);  // marked red
      EXPECT_EQ(laser.pixel(s.startX, s.startY)[0], 0);
    }
    for (const Pixel& p : c.leftOver) EXPECT_EQ(strokes.map.at(p.x, p.y), 0);
  }
}

TEST(FindStrokes, ASolidBlotEndsEverySearch) {
  // The end search over a blot would circle for ever; a (pixel, heading) state met again ends it.
  PixelBuffer laser =
      Drawn({"........", ".######.", ".######.", ".######.", ".######.", "........"});
  const Strokes strokes = find(laser);
  ASSERT_GT(strokes.count(), 0);
  for (int y = 2; y <= 5; ++y) {
    for (int x = 2; x <= 7; ++x) EXPECT_NE(strokes.map.at(x, y), 0) << x << "," << y;
  }
}

TEST(FindStrokes, MatchesThePlainSearch) {
  for (std::uint32_t seed = 1; seed <= 60; ++seed) {
    const int width = 5 + int(seed * 7 % 60), height = 4 + int(seed * 13 % 45);
    PixelBuffer laser = seed % 4 == 0 ? test::Speckled(width, height, 35, seed)
                                      : test::LineDrawing(width, height, seed);
    SCOPED_TRACE("seed " + std::to_string(seed));
    const plain::Found expected = plain::FindStrokes(laser);
    const Strokes strokes = find(laser);
    ASSERT_EQ(strokes.count(), static_cast<std::int32_t>(expected.table.size()));
    for (std::size_t i = 0; i < expected.table.size(); ++i) {
      const StrokeRecord& a = strokes.table[i];
      const StrokeRecord& b = expected.table[i];
      EXPECT_EQ((StrokeEnds{a.startX, a.startY, a.endX, a.endY}),
                (StrokeEnds{b.startX, b.startY, b.endX, b.endY}))
          << "stroke " << i + 1;
    }
    for (int y = 1; y <= height; ++y) {
      for (int x = 1; x <= width; ++x) ASSERT_EQ(strokes.map.at(x, y), expected.map[y - 1][x - 1]);
    }
    EXPECT_EQ(laser, expected.display);
  }
}

std::vector<StrokeRecord> startingAt(const std::vector<std::pair<int, int>>& starts) {
  std::vector<StrokeRecord> table;
  for (const auto& [x, y] : starts) table.push_back({x, y, x, y, 0});
  return table;
}

TEST(OrderStrokes, TheRoundedBestDistanceDecides) {
  struct Case {
    const char* name;
    std::vector<std::pair<int, int>> starts;  // each stroke a single pixel
    std::vector<std::int32_t> first;          // the cut order's beginning
  };
  const std::vector<Case> cases = {
      {"nearest to the top-left first", {{9, 9}, {2, 3}}, {2, 1}},
      {"equal distances: the earlier stroke", {{0, 3}, {3, 0}}, {1}},
      // 2.24 is kept as 2: the stroke at exactly 2 is not below it, though nearer.
      {"kept rounded down: a nearer stroke loses", {{2, 1}, {2, 0}}, {1}},
      // 2.83 is kept as 3: 2.24 is below it and wins, then 2 is not below 2.
      {"kept rounded up: later strokes below it win", {{2, 2}, {1, 2}, {2, 0}}, {2}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<StrokeRecord> table = startingAt(c.starts);
    const std::vector<std::int32_t> order = OrderStrokes(table);
    EXPECT_EQ(std::vector<std::int32_t>(order.begin(), order.begin() + long(c.first.size())),
              c.first);
    EXPECT_EQ(order, plain::OrderStrokes(startingAt(c.starts)));
    for (const StrokeRecord& s : table) EXPECT_EQ(s.done, 1);
  }
}

TEST(OrderStrokes, MatchesThePlainOrder) {
  for (std::uint32_t seed = 1; seed <= 40; ++seed) {
    test::Lcg random(seed);
    // Small areas crowd many strokes at equal and nearly equal distances.
    const int side = seed % 3 == 0 ? 6 : (seed % 3 == 1 ? 40 : 900);
    const int count = 1 + random.below(seed % 5 == 0 ? 1500 : 200);
    std::vector<StrokeRecord> table;
    for (int i = 0; i < count; ++i) {
      table.push_back({1 + random.below(side), 1 + random.below(side), 1 + random.below(side),
                       1 + random.below(side), 0});
    }
    SCOPED_TRACE("seed " + std::to_string(seed));
    const std::vector<std::int32_t> expected = plain::OrderStrokes(table);
    EXPECT_EQ(OrderStrokes(table), expected);
  }
}

}  // namespace
}  // namespace vexa::cutting
