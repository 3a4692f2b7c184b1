#include "figures/figure_tree.h"

#include <algorithm>
#include <charconv>

namespace vexa::figures {

namespace {

bool isFigure(const FigureLink& link) {
  return link.parent >= 1 && link.child >= 1;
}

// The link entries by parent: for each parent, its children in entry order. Works in memory the
// tree keeps between builds: fresh memory for a million figures costs more than the work.
class ChildLists {
 public:
  ChildLists(std::span<const FigureLink> links, FigureTree::BuildScratch& memory)
      : begin_(memory.begin), child_(memory.child), isChild_(memory.isChild) {
    for (const FigureLink& link : links) {
      if (isFigure(link)) highest_ = std::max({highest_, link.parent, link.child});
    }
    begin_.assign(static_cast<std::size_t>(highest_) + 2, 0);
    isChild_.assign(static_cast<std::size_t>(highest_) + 1, 0);
    for (const FigureLink& link : links) {
      if (!isFigure(link)) continue;
      ++begin_[link.parent + 1];
      isChild_[link.child] = 1;
    }
    for (std::size_t i = 1; i < begin_.size(); ++i) begin_[i] += begin_[i - 1];
    child_.resize(static_cast<std::size_t>(begin_.back()));
    BlockVector<int>& fill = memory.fill;
    fill.assign(begin_.begin(), begin_.end() - 1);
    for (const FigureLink& link : links) {
      if (isFigure(link)) child_[fill[link.parent]++] = link.child;
    }
  }

  bool isChild(std::int32_t figure) const { return isChild_[figure] != 0; }
  // Entries begin(p) to end(p) - 1 of child() are p's children.
  int begin(std::int32_t parent) const { return begin_[parent]; }
  int end(std::int32_t parent) const { return begin_[parent + 1]; }
  std::int32_t child(int entry) const { return child_[entry]; }

 private:
  std::int32_t highest_ = 0;
  BlockVector<int>& begin_;
  BlockVector<std::int32_t>& child_;
  BlockVector<std::uint8_t>& isChild_;
};

void setLevel(FigureTable& table, std::int32_t figure, int level) {
  if (table.contains(figure)) table[figure].level = level;
}

// AddChildNodes for the root and, through the walk, for every node below it: the recursion of
// the plain method, kept on a stack of its own so a deep nesting cannot exhaust the call stack.
void AddChildNodes(const ChildLists& lists, FigureTable& table, FigureTree& tree, int rootNode) {
  struct Frame {
    int node;
    int entry;  // next entry of the node's children to look at
    int end;
  };
  const std::int32_t root = tree.node(rootNode).figure;
  std::vector<Frame> stack{{rootNode, lists.begin(root), lists.end(root)}};
  while (!stack.empty()) {
    Frame& frame = stack.back();
    if (frame.entry == frame.end) {
      stack.pop_back();
      continue;
    }
    const std::int32_t child = lists.child(frame.entry++);
    if (tree.nodeOfFigure(child) >= 0) continue;  // a second path to a figure already shown
    const int level = tree.node(frame.node).level + 1;
    setLevel(table, child, level);
    const int node = tree.add(child, frame.node, level);
    stack.push_back({node, lists.begin(child), lists.end(child)});
  }
}

}  // namespace

int FigureTree::nodeOfFigure(std::int32_t figure) const {
  if (figure < 0 || static_cast<std::size_t>(figure) >= nodeOfFigure_.size()) return -1;
  return nodeOfFigure_[figure];
}

int FigureTree::nodeOfKey(std::string_view key) const {
  if (key.size() < 2 || key.front() != 'P') return -1;
  std::int32_t figure = 0;
  const char* last = key.data() + key.size();
  const auto [end, error] = std::from_chars(key.data() + 1, last, figure);
  if (error != std::errc() || end != last) return -1;
  const int node = nodeOfFigure(figure);
  // "P012" is not the key of figure 12.
  return node >= 0 && nodes_[node].key() == key ? node : -1;
}

int FigureTree::childCount(int index) const {
  indexChildren();
  return childBegin_[index + 1] - childBegin_[index];
}

int FigureTree::child(int index, int row) const {
  indexChildren();
  return childList_[childBegin_[index] + row];
}

void FigureTree::indexChildren() const {
  if (indexed_) return;
  childBegin_.assign(nodes_.size() + 1, 0);
  for (const FigureTreeNode& node : nodes_) {
    if (node.parent >= 0) ++childBegin_[node.parent + 1];
  }
  for (std::size_t i = 1; i < childBegin_.size(); ++i) childBegin_[i] += childBegin_[i - 1];
  childList_.resize(nodes_.size() - (nodes_.empty() ? 0 : 1));
  // Nodes were added in each parent's child order, so their rows fall in place.
  for (int i = 0; i < size(); ++i) {
    const FigureTreeNode& node = nodes_[i];
    if (node.parent >= 0) childList_[childBegin_[node.parent] + node.row] = i;
  }
  indexed_ = true;
}

void FigureTree::clear() {
  for (const FigureTreeNode& node : nodes_) nodeOfFigure_[node.figure] = -1;
  nodes_.clear();
  childCounts_.clear();
  indexed_ = false;
}

int FigureTree::add(std::int32_t figure, int parent, int level) {
  const int index = size();
  FigureTreeNode node;
  node.figure = figure;
  node.parent = parent;
  node.level = level;
  childCounts_.push_back(0);
  if (parent >= 0) node.row = childCounts_[parent]++;
  nodes_.push_back(node);
  indexed_ = false;
  if (static_cast<std::size_t>(figure) >= nodeOfFigure_.size()) {
    nodeOfFigure_.resize(std::max<std::size_t>(figure + 1, nodeOfFigure_.size() * 2), -1);
  }
  nodeOfFigure_[figure] = index;
  return index;
}

void BuildFigureTree(const FigureLinks& links, FigureTable& table, FigureTree& tree) {
  tree.clear();
  const std::span<const FigureLink> entries = links.inUse();
  const ChildLists lists(entries, tree.buildScratch_);
  const auto rootEntry = std::find_if(entries.begin(), entries.end(), [&](const FigureLink& link) {
    return isFigure(link) && !lists.isChild(link.parent);
  });
  // No entry qualifies (no links, or every parent is somebody's child): no tree.
  if (rootEntry == entries.end()) return;

  const std::int32_t root = rootEntry->parent;
  setLevel(table, root, 0);
  const int rootNode = tree.add(root, -1, 0);
  AddChildNodes(lists, table, tree, rootNode);
}

}  // namespace vexa::figures
