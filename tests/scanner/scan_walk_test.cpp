// The probe's path over the grid: the order of the points, the moves between them, the end.

#include "scanner/scan_walk.h"

#include <gtest/gtest.h>

#include <set>
#include <utility>
#include <vector>

namespace vexa::scanner {
namespace {

using Point = std::pair<int, int>;

// Follows the moves, and checks that every point is measured where the probe stands.
struct Trace : ScanWalkSteps {
  std::vector<Point> measured;
  int moves = 0;
  bool moveAfterLast = false;
  Point at{1, 1};
  bool measuredWhereItStands = true;

  void measure(int column, int row) override {
    measuredWhereItStands = measuredWhereItStands && at == Point{column, row};
    measured.push_back({column, row});
    moveAfterLast = false;
  }
  void move(int dx, int dy) override {
    at.first += dx;
    at.second += dy;
    ++moves;
    moveAfterLast = true;
  }
};

Trace Walk(int nx, int ny) {
  Trace trace;
  WalkScanGrid(nx, ny, trace);
  return trace;
}

TEST(ScanWalk, SixByFiveGoesUpDownAndUpInColumnPairs) {
  const Trace trace = Walk(6, 5);
  const std::vector<Point> expected{{1, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 3}, {2, 3}, {2, 4}, {1, 4},
                                    {1, 5}, {2, 5}, {3, 5}, {4, 5}, {4, 4}, {3, 4}, {3, 3}, {4, 3},
                                    {4, 2}, {3, 2}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {6, 2}, {5, 2},
                                    {5, 3}, {6, 3}, {6, 4}, {5, 4}, {5, 5}, {6, 5}};
  EXPECT_EQ(trace.measured, expected);
  EXPECT_EQ(trace.moves, 29);
}

struct WalkCase {
  int nx, ny;
  Point last;
};

class ScanWalkSizes : public ::testing::TestWithParam<WalkCase> {};

TEST_P(ScanWalkSizes, MeasuresEveryPointOnceWhereItStandsAndEndsWithoutAMove) {
  const auto [nx, ny, last] = GetParam();
  const Trace trace = Walk(nx, ny);
  ASSERT_EQ(trace.measured.size(), static_cast<std::size_t>(nx * ny));
  EXPECT_EQ(std::set<Point>(trace.measured.begin(), trace.measured.end()).size(),
            trace.measured.size());
  EXPECT_EQ(trace.moves, nx * ny - 1);
  EXPECT_TRUE(trace.measuredWhereItStands);
  EXPECT_FALSE(trace.moveAfterLast);
  EXPECT_EQ(trace.measured.back(), last);
}

INSTANTIATE_TEST_SUITE_P(Grids, ScanWalkSizes,
                         ::testing::Values(WalkCase{6, 5, {6, 5}}, WalkCase{4, 5, {4, 1}},
                                           WalkCase{2, 1, {2, 1}}, WalkCase{2, 3, {2, 3}},
                                           WalkCase{4, 1, {4, 1}}, WalkCase{8, 7, {8, 1}},
                                           WalkCase{10, 9, {10, 9}}));

}  // namespace
}  // namespace vexa::scanner
