#pragma once
// The figure nesting tree as data: what the tree view `tv` shows and what the figure commands
// ask about (is there a tree, which figure is selected). The milling and outline windows show it
// through FigureTreeWidget.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "figures/block_vector.h"
#include "figures/figure_links.h"
#include "figures/figure_table.h"

namespace vexa::figures {

struct FigureTreeNode {
  std::int32_t figure = 0;
  int parent = -1;  // index of the parent node, -1 for the root
  int row = 0;      // place among the parent's children, in the order of the link entries
  int level = 0;

  std::string key() const { return "P" + std::to_string(figure); }
  std::string text() const { return std::to_string(figure); }
};

class FigureTree {
 public:
  bool empty() const { return nodes_.empty(); }
  int size() const { return static_cast<int>(nodes_.size()); }
  // Nodes in the order they were added (parents before children); node 0 is the root.
  const FigureTreeNode& node(int index) const { return nodes_[index]; }
  const BlockVector<FigureTreeNode>& nodes() const { return nodes_; }

  int childCount(int index) const;
  // The node index of child `row` of node `index`.
  int child(int index, int row) const;
  // Every node that has children is shown expanded.
  bool expanded(int index) const { return childCount(index) > 0; }

  // The node of `figure`, or -1.
  int nodeOfFigure(std::int32_t figure) const;
  // The node with `key` ("P12"), or -1.
  int nodeOfKey(std::string_view key) const;

  void clear();

  // Working memory of BuildFigureTree, kept for the next build. It is no part of the tree: a copy
  // of a tree (a job's snapshot) starts without it.
  struct BuildScratch {
    BuildScratch() = default;
    BuildScratch(const BuildScratch&) {}
    BuildScratch& operator=(const BuildScratch&) { return *this; }
    BuildScratch(BuildScratch&&) = default;
    BuildScratch& operator=(BuildScratch&&) = default;

    struct Frame {
      int node;
      int entry;  // the next of the node's children to look at
      int end;
      int level;
      int rows;  // children added so far
    };
    BlockVector<int> begin;
    BlockVector<std::int32_t> child;
    BlockVector<std::uint8_t> isChild;
    BlockVector<Frame> stack;
  };
  // The link entries by parent for the walk: figure f's children are child[begin[f]] to
  // child[begin[f + 1] - 1], in entry order.
  struct ChildWalk {
    const int* begin;
    const std::int32_t* child;
  };
  // Adds the node of `figure` (1 or more) as the last child of `parent` (-1: the root); returns
  // its index.
  int add(std::int32_t figure, int parent, int level);
  // Room for `nodes` nodes and figures up to `highestFigure`, so that adding them reallocates
  // nothing.
  void reserve(std::size_t nodes, std::int32_t highestFigure);

 private:
  friend void BuildFigureTree(const FigureLinks& links, FigureTable& table, FigureTree& tree,
                              std::int32_t highestFigure);
  void indexChildren() const;
  // Adds the nodes below the root node, the only node so far.
  void addChildNodes(const ChildWalk& lists, FigureTable& table);

  BlockVector<FigureTreeNode> nodes_;
  BlockVector<int> nodeOfFigure_;  // by figure number, -1 where none
  std::vector<int> childCounts_;
  // Children of node i: childList_[childBegin_[i] .. childBegin_[i + 1]), made on first use;
  // one block for all nodes, as a tree of a noisy picture has hundreds of thousands.
  mutable BlockVector<int> childBegin_;
  mutable BlockVector<int> childList_;
  mutable bool indexed_ = false;
  BuildScratch buildScratch_;
};

// Refills `tree` from `links` and sets `level` in `table` for every figure it reaches.
//
// The root is the parent of the first link entry whose parent is nobody's child; each figure is
// placed under the parent of the first entry that reaches it in a depth-first walk from the root,
// in the order of the entries. A link graph with a figure reachable twice or a cycle would make
// the plain recursion add a node twice or never end: a figure already in the tree is skipped, and
// its level stays the one of its first place. Entries naming a number below 1 (no figure) are
// left out.
void BuildFigureTree(const FigureLinks& links, FigureTable& table, FigureTree& tree);
// The same when no entry names a figure above `highestFigure`, which saves a pass over them.
void BuildFigureTree(const FigureLinks& links, FigureTable& table, FigureTree& tree,
                     std::int32_t highestFigure);

}  // namespace vexa::figures
