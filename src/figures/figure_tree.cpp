#include "figures/figure_tree.h"

#include <algorithm>
#include <charconv>

#include "figures/prefetch.h"

namespace vexa::figures {

namespace {

bool isFigure(const FigureLink& link) {
  return link.parent >= 1 && link.child >= 1;
}

// The link entries by parent: each parent's children, in entry order, side by side in one block,
// so that the walk reads a parent's children in a row (nearly all of them are leaves on a noisy
// picture). Works in memory the tree keeps between builds: fresh memory for a million figures
// costs more than the work.
class ChildLists {
 public:
  ChildLists(std::span<const FigureLink> links, std::int32_t highest,
             FigureTree::BuildScratch& memory)
      : begin_(memory.begin), child_(memory.child), isChild_(memory.isChild) {
    // begin_[p + 1] counts p's children, then becomes the start of p's children, then (as the
    // children are filled in) their end, which is where p + 1's children start.
    // Entries in a row mostly share their parent (the background of a noisy picture): its
    // count and place are kept in locals meanwhile, as counting in memory would make each entry
    // wait for the one before.
    begin_.assign(static_cast<std::size_t>(highest) + 2, 0);
    isChild_.assign(static_cast<std::size_t>(highest) + 1, 0);
    std::int32_t parent = 0;  // no figure: entries naming it are left out
    int count = 0;
    for (const FigureLink& link : links) {
      if (!isFigure(link)) continue;
      isChild_[static_cast<std::size_t>(link.child)] = 1;
      if (link.parent != parent) {
        begin_[static_cast<std::size_t>(parent) + 1] += count;
        parent = link.parent;
        count = 0;
      }
      ++count;
    }
    begin_[static_cast<std::size_t>(parent) + 1] += count;
    int start = 0;
    for (std::size_t p = 0; p <= static_cast<std::size_t>(highest); ++p) {
      const int children = begin_[p + 1];
      begin_[p + 1] = start;
      start += children;
    }
    child_.resize(static_cast<std::size_t>(start));
    parent = 0;
    int place = 0;
    for (const FigureLink& link : links) {
      if (!isFigure(link)) continue;
      if (link.parent != parent) {
        begin_[static_cast<std::size_t>(parent) + 1] = place;
        parent = link.parent;
        place = begin_[static_cast<std::size_t>(parent) + 1];
      }
      child_[static_cast<std::size_t>(place++)] = link.child;
    }
    begin_[static_cast<std::size_t>(parent) + 1] = place;
  }

  bool isChild(std::int32_t figure) const { return isChild_[figure] != 0; }
  FigureTree::ChildWalk walk() const { return {begin_.data(), child_.data()}; }

 private:
  BlockVector<int>& begin_;
  BlockVector<std::int32_t>& child_;
  BlockVector<std::uint8_t>& isChild_;
};

void setLevel(FigureTable& table, std::int32_t figure, int level) {
  if (table.contains(figure)) table[figure].level = level;
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
  // A big tree leaves marks all over: writing all of them in one sweep is quicker then.
  if (nodes_.size() * 8 > nodeOfFigure_.size()) {
    std::fill(nodeOfFigure_.begin(), nodeOfFigure_.end(), -1);
  } else {
    for (const FigureTreeNode& node : nodes_) nodeOfFigure_[node.figure] = -1;
  }
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
  tree.add(root, -1, 0);
  tree.addChildNodes(lists.walk(), table);
}

// The recursion of the plain method from the root, kept on a stack of its own so a deep nesting
// cannot exhaust the call stack. The node being filled stays in locals and goes to the stack only
// when the walk steps down: on a noisy picture a few figures have nearly all the children, and
// counting them in memory would make each child wait for the one before.
void FigureTree::addChildNodes(const ChildWalk& lists, FigureTable& table) {
  using Frame = BuildScratch::Frame;
  BlockVector<Frame>& frames = buildScratch_.stack;
  // A frame a level, and a level a node at most.
  if (frames.size() < nodes_.capacity()) frames.resize(nodes_.capacity());
  Frame* stack = frames.data();
  int* nodeOf = nodeOfFigure_.data();
  const std::int32_t root = nodes_[0].figure;
  Frame frame{0, lists.begin[root], lists.begin[root + 1], 0, 0};
  int top = 0;  // frames on the stack, the ones above the current node
  for (;;) {
    if (frame.entry == frame.end) {
      childCounts_[static_cast<std::size_t>(frame.node)] = frame.rows;
      if (top == 0) break;
      frame = stack[--top];
      continue;
    }
    // Children's numbers are scattered over the table: their marks, levels and lists are asked
    // for a few children ahead.
    constexpr int kAhead = 8;
    if (frame.entry + kAhead < frame.end) {
      const std::int32_t later = lists.child[frame.entry + kAhead];
      Prefetch(nodeOf + later);
      Prefetch(lists.begin + later);
      Prefetch(&table[later]);
    }
    const std::int32_t child = lists.child[frame.entry++];
    if (nodeOf[child] >= 0) continue;  // a second path to a figure already shown
    const int level = frame.level + 1;
    setLevel(table, child, level);
    const int node = size();
    FigureTreeNode added;
    added.figure = child;
    added.parent = frame.node;
    added.row = frame.rows++;
    added.level = level;
    nodes_.push_back(added);
    childCounts_.push_back(0);
    nodeOf[child] = node;
    const int first = lists.begin[child];
    const int end = lists.begin[child + 1];
    if (first != end) {
      stack[top++] = frame;
      frame = {node, first, end, level, 0};
    }
  }
}

}  // namespace vexa::figures
