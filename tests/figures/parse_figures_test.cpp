// Figure extraction on small drawn pictures whose numbers were worked out by hand, pixel by
// pixel, with the plain method (left, up, up-left; merge into the upper figure; lowest free
// number first).

#include "figures/parse_figures.h"

#include <gtest/gtest.h>

#include "figure_pictures.h"

namespace vexa::figures {
namespace {

using test::Drawn;

// The map's picture cells, row by row, as text.
std::vector<std::vector<int>> pictureCells(const FigureMap& map) {
  std::vector<std::vector<int>> rows;
  for (int y = 1; y <= map.height(); ++y) {
    rows.emplace_back(map.row(y) + 1, map.row(y) + 1 + map.width());
  }
  return rows;
}

std::vector<FigureLink> links(const FigureData& data) {
  return {data.links.inUse().begin(), data.links.inUse().end()};
}

bool frameCarries(const FigureMap& map, int number) {
  for (int x = 0; x <= map.width() + 1; ++x) {
    if (map.at(x, 0) != number || map.at(x, map.height() + 1) != number) return false;
  }
  for (int y = 0; y <= map.height() + 1; ++y) {
    if (map.at(0, y) != number || map.at(map.width() + 1, y) != number) return false;
  }
  return true;
}

TEST(ParseFiguresBasics, AllLightIsTheFrameFigureAlone) {
  FigureData data;
  ParseFigures(picture::PixelBuffer(4, 3, 255), data);
  EXPECT_EQ(pictureCells(data.map), (std::vector<std::vector<int>>(3, std::vector<int>(4, 1))));
  EXPECT_TRUE(frameCarries(data.map, 1));
  EXPECT_EQ(data.table.length(), 100);
  EXPECT_EQ(data.table[1], (FigureRecord{0, kLight, kInUse}));
  EXPECT_EQ(data.table[2].state, kFree);
  EXPECT_EQ(data.links.FigureLinkCount(), 0);
  EXPECT_TRUE(data.tree.empty());
}

TEST(ParseFiguresBasics, AllDarkIsOneFigureUnlinkedToTheFrame) {
  FigureData data;
  ParseFigures(picture::PixelBuffer(3, 3, 0), data);
  EXPECT_EQ(pictureCells(data.map), (std::vector<std::vector<int>>(3, std::vector<int>(3, 2))));
  EXPECT_TRUE(frameCarries(data.map, 1));
  EXPECT_EQ(data.table[2], (FigureRecord{0, kDark, kInUse}));
  EXPECT_EQ(data.links.FigureLinkCount(), 0);
  EXPECT_TRUE(data.tree.empty());
}

TEST(ParseFiguresBasics, OneDarkPixelIsLinkedUnderTheBackground) {
  FigureData data;
  ParseFigures(Drawn({"...", ".#.", "..."}), data);
  EXPECT_EQ(data.map.at(2, 2), 2);
  EXPECT_EQ(data.map.at(1, 1), 1);
  EXPECT_EQ(links(data), (std::vector<FigureLink>{{2, 1}}));  // child 2, parent 1
  ASSERT_EQ(data.tree.size(), 2);
  EXPECT_EQ(data.table[2].level, 1);
}

TEST(ParseFiguresBasics, NoPictureGivesTheFrameAloneAndNoTree) {
  FigureData data;
  ParseFigures(Drawn({"#.", ".#"}), data);
  ParseFigures(picture::PixelBuffer(), data);
  EXPECT_EQ(data.map.width(), 0);
  EXPECT_TRUE(frameCarries(data.map, 1));
  EXPECT_EQ(data.links.FigureLinkCount(), 0);
  EXPECT_TRUE(data.tree.empty());
}

TEST(ParseFiguresClass, Blue100IsDarkAnd101Light) {
  picture::PixelBuffer picture(3, 1, 255);
  picture.setGray(2, 1, 100);
  FigureData data;
  ParseFigures(picture, data);
  EXPECT_EQ(data.map.at(2, 1), 2);
  EXPECT_EQ(data.table[2].colour, kDark);

  picture.setGray(2, 1, 101);
  ParseFigures(picture, data);
  EXPECT_EQ(data.map.at(2, 1), 1);
  EXPECT_EQ(data.table[2].state, kFree);
}

TEST(ParseFiguresConnectivity, FallingDiagonalJoinsRisingDoesNot) {
  FigureData data;
  ParseFigures(Drawn({"....", ".#..", "..#.", "...."}), data);
  EXPECT_EQ(data.map.at(2, 2), 2);
  EXPECT_EQ(data.map.at(3, 3), 2);

  ParseFigures(Drawn({"....", "..#.", ".#..", "...."}), data);
  EXPECT_EQ(data.map.at(3, 2), 2);
  EXPECT_EQ(data.map.at(2, 3), 3);
}

TEST(ParseFiguresConnectivity, LightPixelsFollowTheSameRule) {
  FigureData data;
  // Light on the falling diagonal of a dark block: one light figure (3) inside the dark 2.
  ParseFigures(Drawn({"####", "#.##", "##.#", "####"}), data);
  EXPECT_EQ(pictureCells(data.map), (std::vector<std::vector<int>>{
                                        {2, 2, 2, 2}, {2, 3, 2, 2}, {2, 2, 3, 2}, {2, 2, 2, 2}}));
  EXPECT_EQ(links(data), (std::vector<FigureLink>{{3, 2}}));

  // On the rising diagonal: two light figures, 3 met in row 2 and 4 in row 3.
  ParseFigures(Drawn({"####", "##.#", "#.##", "####"}), data);
  EXPECT_EQ(data.map.at(3, 2), 3);
  EXPECT_EQ(data.map.at(2, 3), 4);
  EXPECT_EQ(links(data), (std::vector<FigureLink>{{3, 2}, {4, 2}}));
}

TEST(ParseFiguresConnectivity, LightTouchingOnlyTheRightOrBottomEdgeIsNotTheFrames) {
  // Only the left and upper neighbours are looked at, so the frame joins through the first
  // column and row alone.
  FigureData data;
  ParseFigures(Drawn({"###", "##.", "###"}), data);
  EXPECT_EQ(data.map.at(3, 2), 3);
  EXPECT_TRUE(frameCarries(data.map, 1));
  ParseFigures(Drawn({"###", "###", ".#."}), data);
  EXPECT_EQ(data.map.at(1, 3), 1);
  EXPECT_EQ(data.map.at(3, 3), 3);
}

TEST(ParseFiguresNumbering, MergesKeepTheUpperNumberAndFreedNumbersComeBackFirst) {
  // (2,2) opens light figure 3; row 3 starts in the frame's figure 1 and meets 3 above (2,3):
  // 1 is absorbed, the frame carries 3 from then on, and the dot in row 4 gets the freed 1.
  FigureData data;
  ParseFigures(Drawn({"###", "#.#", "...", ".#."}), data);
  EXPECT_EQ(pictureCells(data.map),
            (std::vector<std::vector<int>>{{2, 2, 2}, {2, 3, 2}, {3, 3, 3}, {3, 1, 3}}));
  EXPECT_TRUE(frameCarries(data.map, 3));
  EXPECT_EQ(data.table[1], (FigureRecord{2, kDark, kInUse}));
  EXPECT_EQ(data.table[3], (FigureRecord{1, kLight, kInUse}));
  EXPECT_EQ(links(data), (std::vector<FigureLink>{{3, 2}, {1, 3}}));
}

TEST(ParseFiguresNumbering, TheHundredAndFirstLiveFigureGrowsTheTable) {
  // 100 dots in one row: the frame is 1, the dots 2 to 101, all alive at once.
  std::string row;
  for (int i = 0; i < 100; ++i) row += "#.";
  FigureData data;
  ParseFigures(Drawn({row}), data);
  EXPECT_EQ(data.map.at(199, 1), 101);
  EXPECT_EQ(data.table.length(), 200);
  EXPECT_EQ(data.table[101], (FigureRecord{2, kDark, kInUse}));
  EXPECT_EQ(data.table[102], FigureRecord{});
  // 100 pairs with the background, then the links grow as well.
  EXPECT_EQ(data.links.FigureLinkCount(), 100);
  EXPECT_EQ(data.links.length(), 100);
  ParseFigures(Drawn({row + "#"}), data);
  EXPECT_EQ(data.links.FigureLinkCount(), 101);
  EXPECT_EQ(data.links.length(), 200);
}

TEST(ParseFiguresNumbering, AShapeStartingInColumnOneIsMetFirstOnTheLeft) {
  FigureData data;
  ParseFigures(Drawn({".....", "##...", "##...", "....."}), data);
  EXPECT_EQ(links(data), (std::vector<FigureLink>{{1, 2}}));  // child 1, parent 2
  ASSERT_EQ(data.tree.size(), 2);
  EXPECT_EQ(data.tree.node(0).figure, 2);
  EXPECT_EQ(data.tree.node(1).figure, 1);
  EXPECT_EQ(data.table[2].level, 0);
  EXPECT_EQ(data.table[1].level, 1);
}

TEST(ParseFiguresBasics, TheMapAnswersZeroOutsideItself) {
  FigureData data;
  EXPECT_EQ(data.map.figureAt(0, 0), 0);
  ParseFigures(Drawn({"#.", ".."}), data);
  EXPECT_TRUE(data.map.contains(3, 3));
  EXPECT_FALSE(data.map.contains(4, 1));
  EXPECT_FALSE(data.map.contains(-1, 1));
  EXPECT_EQ(data.map.figureAt(3, 3), 1);
  EXPECT_EQ(data.map.figureAt(1, 1), 2);
  EXPECT_EQ(data.map.figureAt(4, 1), 0);
  EXPECT_EQ(data.map.figureAt(1, -1), 0);
}

TEST(ParseFiguresBasics, ResettingTheTablesKeepsMapAndTree) {
  FigureData data;
  ParseFigures(Drawn({"...", ".#.", "..."}), data);
  data.table[2].state = kDone;
  data.resetTables();
  EXPECT_EQ(data.table, FigureTable());
  EXPECT_EQ(data.links.FigureLinkCount(), 0);
  EXPECT_EQ(data.map.at(2, 2), 2);
  EXPECT_EQ(data.tree.size(), 2);
}

TEST(ParseFiguresNumbering, AParseStartsAfresh) {
  FigureData data;
  std::string row;
  for (int i = 0; i < 120; ++i) row += "#.";
  ParseFigures(Drawn({row}), data);
  ParseFigures(Drawn({"...", ".#.", "..."}), data);
  EXPECT_EQ(data.table.length(), 100);
  EXPECT_EQ(data.links.length(), 100);
  EXPECT_EQ(data.map.width(), 3);
  EXPECT_EQ(data.tree.size(), 2);
}

}  // namespace
}  // namespace vexa::figures
