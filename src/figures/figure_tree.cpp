#include "figures/figure_tree.h"

#include <algorithm>
#include <charconv>

namespace vexa::figures {

namespace {

bool isFigure(const FigureLink& link) {
  return link.parent >= 1 && link.child >= 1;
}

// The link entries by parent, each parent's children in entry order, chained through the
// entries: one pass over the links, backwards, so each entry goes in front of the later ones.
// Works in memory the tree keeps between builds: fresh memory for a million figures costs more
// than the work.
class ChildLists {
 public:
  ChildLists(std::span<const FigureLink> links, std::int32_t highest,
             FigureTree::BuildScratch& memory)
      : links_(links), first_(memory.first), next_(memory.next), isChild_(memory.isChild) {
    first_.assign(static_cast<std::size_t>(highest) + 1, kNone);
    isChild_.assign(static_cast<std::size_t>(highest) + 1, 0);
    next_.resize(links.size());
    for (int entry = static_cast<int>(links.size()) - 1; entry >= 0; --entry) {
      const FigureLink& link = links[static_cast<std::size_t>(entry)];
      if (!isFigure(link)) continue;
      next_[static_cast<std::size_t>(entry)] = first_[link.parent];
      first_[link.parent] = entry;
      isChild_[link.child] = 1;
    }
  }

  static constexpr int kNone = -1;

  bool isChild(std::int32_t figure) const { return isChild_[figure] != 0; }
  // The entry of parent's first child, then of each next one, kNone after the last.
  int first(std::int32_t parent) const { return first_[parent]; }
  int next(int entry) const { return next_[static_cast<std::size_t>(entry)]; }
  std::int32_t child(int entry) const { return links_[static_cast<std::size_t>(entry)].child; }

 private:
  std::span<const FigureLink> links_;
  BlockVector<int>& first_;
  BlockVector<int>& next_;
  BlockVector<std::uint8_t>& isChild_;
};

void setLevel(FigureTable& table, std::int32_t figure, int level) {
  if (table.contains(figure)) table[figure].level = level;
}

// AddChildNodes for the root and, through the walk, for every node below it: the recursion of
// the plain method, kept on a stack of its own so a deep nesting cannot exhaust the call stack.
void AddChildNodes(const ChildLists& lists, FigureTable& table, FigureTree& tree, int rootNode,
                   std::vector<FigureTree::BuildScratch::Frame>& stack) {
  stack.assign(1, {rootNode, lists.first(tree.node(rootNode).figure)});
  while (!stack.empty()) {
    FigureTree::BuildScratch::Frame& frame = stack.back();
    if (frame.entry < 0) {
      stack.pop_back();
      continue;
    }
    const int entry = frame.entry;
    frame.entry = lists.next(entry);
    const std::int32_t child = lists.child(entry);
    if (tree.nodeOfFigure(child) >= 0) continue;  // a second path to a figure already shown
    const int level = tree.node(frame.node).level + 1;
    setLevel(table, child, level);
    const int node = tree.add(child, frame.node, level);
    const int grandchild = lists.first(child);
    if (grandchild >= 0) stack.push_back({node, grandchild});
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

void FigureTree::reserve(std::size_t nodes, std::int32_t highestFigure) {
  nodes_.reserve(nodes);
  childCounts_.reserve(nodes);
  if (nodeOfFigure_.size() <= static_cast<std::size_t>(highestFigure)) {
    nodeOfFigure_.resize(static_cast<std::size_t>(highestFigure) + 1, -1);
  }
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
  std::int32_t highest = 0;
  for (const FigureLink& link : links.inUse()) {
    if (isFigure(link)) highest = std::max({highest, link.parent, link.child});
  }
  BuildFigureTree(links, table, tree, highest);
}

void BuildFigureTree(const FigureLinks& links, FigureTable& table, FigureTree& tree,
                     std::int32_t highestFigure) {
  tree.clear();
  const std::span<const FigureLink> entries = links.inUse();
  const ChildLists lists(entries, highestFigure, tree.buildScratch_);
  const auto rootEntry = std::find_if(entries.begin(), entries.end(), [&](const FigureLink& link) {
    return isFigure(link) && !lists.isChild(link.parent);
  });
  // No entry qualifies (no links, or every parent is somebody's child): no tree.
  if (rootEntry == entries.end()) return;

  // A tree has at most one node per figure and one more than the entries.
  tree.reserve(std::min<std::size_t>(entries.size() + 1, std::size_t(highestFigure)),
               highestFigure);
  const std::int32_t root = rootEntry->parent;
  setLevel(table, root, 0);
  const int rootNode = tree.add(root, -1, 0);
  AddChildNodes(lists, table, tree, rootNode, tree.buildScratch_.stack);
}

}  // namespace vexa::figures
