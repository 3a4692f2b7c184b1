// BuildFigureTree on link lists written by hand, and on parsed pictures.

#include "figures/figure_tree.h"

#include <gtest/gtest.h>

#include "figure_pictures.h"
#include "figures/parse_figures.h"

namespace vexa::figures {
namespace {

using test::Drawn;

FigureLinks linksOf(std::initializer_list<std::pair<int, int>> parentChild) {
  FigureLinks links;
  for (const auto& [parent, child] : parentChild) links.append(parent, child);
  return links;
}

// "parent>figure@level" per node, in the order the nodes were added.
std::vector<std::string> shape(const FigureTree& tree) {
  std::vector<std::string> nodes;
  for (const FigureTreeNode& node : tree.nodes()) {
    const std::string parent = node.parent < 0 ? "" : tree.node(node.parent).text();
    nodes.push_back(parent + ">" + node.text() + "@" + std::to_string(node.level));
  }
  return nodes;
}

using Shape = std::vector<std::string>;

TEST(FigureTreeShape, ChildrenFollowTheEntryOrderDepthFirst) {
  FigureTable table;
  FigureTree tree;
  BuildFigureTree(linksOf({{1, 5}, {5, 6}, {1, 3}, {6, 7}, {3, 4}}), table, tree);
  EXPECT_EQ(shape(tree), (Shape{">1@0", "1>5@1", "5>6@2", "6>7@3", "1>3@1", "3>4@2"}));
  EXPECT_EQ(tree.node(1).key(), "P5");
  EXPECT_TRUE(tree.expanded(0));
  EXPECT_FALSE(tree.expanded(3));
  EXPECT_EQ(table[7].level, 3);
  EXPECT_EQ(table[4].level, 2);
  ASSERT_EQ(tree.childCount(0), 2);
  EXPECT_EQ(tree.node(tree.child(0, 0)).figure, 5);
  EXPECT_EQ(tree.node(tree.child(0, 1)).figure, 3);
  EXPECT_EQ(tree.node(tree.child(tree.nodeOfFigure(3), 0)).figure, 4);
  EXPECT_EQ(tree.childCount(tree.nodeOfFigure(7)), 0);
}

TEST(FigureTreeShape, TheRootIsTheFirstParentThatIsNobodysChild) {
  FigureTable table;
  FigureTree tree;
  BuildFigureTree(linksOf({{2, 3}, {1, 2}}), table, tree);
  EXPECT_EQ(shape(tree), (Shape{">1@0", "1>2@1", "2>3@2"}));
}

TEST(FigureTreeShape, OnlyOneRootAndUnreachedFiguresKeepTheirLevel) {
  FigureTable table;
  table[4].level = 9;
  FigureTree tree;
  BuildFigureTree(linksOf({{1, 2}, {3, 4}}), table, tree);
  EXPECT_EQ(shape(tree), (Shape{">1@0", "1>2@1"}));
  EXPECT_EQ(table[4].level, 9);
  EXPECT_EQ(tree.nodeOfFigure(3), -1);
}

TEST(FigureTreeShape, NoLinksOrNoFigureOutsideACycleGiveNoTree) {
  FigureTable table;
  FigureTree tree;
  BuildFigureTree(linksOf({{1, 2}}), table, tree);
  BuildFigureTree(FigureLinks(), table, tree);
  EXPECT_TRUE(tree.empty());
  BuildFigureTree(linksOf({{2, 3}, {3, 2}}), table, tree);
  EXPECT_TRUE(tree.empty());
}

TEST(FigureTreeRepeats, AFigureReachedTwiceGetsOneNodeAtItsFirstPlace) {
  FigureTable table;
  FigureTree tree;
  BuildFigureTree(linksOf({{1, 2}, {1, 3}, {3, 4}, {2, 4}, {4, 5}}), table, tree);
  EXPECT_EQ(shape(tree), (Shape{">1@0", "1>2@1", "2>4@2", "4>5@3", "1>3@1"}));
  EXPECT_EQ(table[4].level, 2);
}

TEST(FigureTreeRepeats, ACycleBelowTheRootEnds) {
  FigureTable table;
  FigureTree tree;
  BuildFigureTree(linksOf({{1, 2}, {2, 3}, {3, 4}, {4, 2}, {3, 5}}), table, tree);
  EXPECT_EQ(shape(tree), (Shape{">1@0", "1>2@1", "2>3@2", "3>4@3", "3>5@3"}));
}

TEST(FigureTreeRepeats, AVeryDeepNestingNeedsNoDeepRecursion) {
  FigureLinks links;
  const int depth = 200000;
  for (int figure = 1; figure < depth; ++figure) links.append(figure, figure + 1);
  FigureTable table;
  while (table.length() < depth) table.doubleLength();
  FigureTree tree;
  BuildFigureTree(links, table, tree);
  ASSERT_EQ(tree.size(), depth);
  EXPECT_EQ(tree.node(depth - 1).level, depth - 1);
  EXPECT_EQ(table[depth].level, depth - 1);
}

TEST(FigureTreeShape, EntriesNamingNoFigureAreLeftOut) {
  FigureTable table;
  FigureTree tree;
  BuildFigureTree(linksOf({{0, 3}, {1, 2}, {2, -1}, {-4, 2}, {2, 3}}), table, tree);
  EXPECT_EQ(shape(tree), (Shape{">1@0", "1>2@1", "2>3@2"}));
}

TEST(FigureTreeShape, AKnownHighestFigureGivesTheSameTree) {
  const FigureLinks links = linksOf({{1, 5}, {5, 6}, {1, 3}, {6, 7}, {3, 4}, {3, 6}});
  FigureTable table;
  FigureTree counted;
  FigureTree told;
  BuildFigureTree(links, table, counted);
  BuildFigureTree(links, table, told, table.length());
  EXPECT_EQ(shape(told), shape(counted));
  EXPECT_EQ(shape(told), (Shape{">1@0", "1>5@1", "5>6@2", "6>7@3", "1>3@1", "3>4@2"}));
}

// Builds reuse the tree's memory: what an earlier, bigger or smaller, tree left there must not
// show in the next one.
TEST(FigureTreeRepeats, ABuildIntoAUsedTreeMatchesAFreshOne) {
  FigureLinks wide;  // figure 1 with 300 children, each with one child of its own
  for (int figure = 2; figure <= 301; ++figure) {
    wide.append(1, figure);
    wide.append(figure, figure + 300);
  }
  const std::vector<FigureLinks> builds = {wide, linksOf({{1, 12}, {12, 4}}), wide,
                                           linksOf({{7, 2}, {7, 900}, {2, 3}}),
                                           linksOf({{2, 3}, {3, 2}})};
  FigureTable table;
  while (table.length() < 1000) table.doubleLength();
  FigureTree used;
  for (const FigureLinks& links : builds) {
    FigureTree fresh;
    BuildFigureTree(links, table, fresh);
    BuildFigureTree(links, table, used);
    ASSERT_EQ(shape(used), shape(fresh));
    for (int node = 0; node < used.size(); ++node) {
      ASSERT_EQ(used.childCount(node), fresh.childCount(node));
      for (int row = 0; row < used.childCount(node); ++row) {
        EXPECT_EQ(used.child(node, row), fresh.child(node, row));
        EXPECT_EQ(used.node(used.child(node, row)).row, row);
      }
    }
    for (int figure = 1; figure <= 1000; ++figure) {
      ASSERT_EQ(used.nodeOfFigure(figure), fresh.nodeOfFigure(figure)) << figure;
    }
  }
}

TEST(FigureTreeKeys, NodesAreFoundByKeyExactly) {
  FigureTable table;
  FigureTree tree;
  BuildFigureTree(linksOf({{1, 12}}), table, tree);
  EXPECT_EQ(tree.nodeOfKey("P12"), 1);
  EXPECT_EQ(tree.nodeOfKey("P012"), -1);
  EXPECT_EQ(tree.nodeOfKey("12"), -1);
  EXPECT_EQ(tree.nodeOfKey("P7"), -1);
}

TEST(FigureTreeOfPictures, RingHoleAndDotMakeAChain) {
  FigureData data;
  ParseFigures(Drawn({".......", ".#####.", ".#...#.", ".#.#.#.", ".#...#.", ".#####.", "......."}),
               data);
  EXPECT_EQ(shape(data.tree), (Shape{">1@0", "1>2@1", "2>3@2", "3>4@3"}));
  for (int figure = 1; figure <= 4; ++figure) EXPECT_EQ(data.table[figure].level, figure - 1);
}

TEST(FigureTreeOfPictures, SeparateShapesInTheOrderTheScanMeetsThem) {
  FigureData data;
  // The right shape starts a row higher, so it is figure 2 and met first.
  ParseFigures(Drawn({".......", "....##.", ".##.##.", ".##....", "......."}), data);
  EXPECT_EQ(shape(data.tree), (Shape{">1@0", "1>2@1", "1>3@1"}));
  EXPECT_EQ(data.map.at(5, 2), 2);
  EXPECT_EQ(data.map.at(2, 3), 3);
}

}  // namespace
}  // namespace vexa::figures
