#pragma once
// The figure extraction and nesting tree done the plain way, step by step as described for the
// system: every merge rewrites the whole map, every allocation scans the table from entry 1,
// every link scans all earlier links, every tree node scans all links. Far too slow for real
// pictures; it is the reference the fast methods are checked against.

#include <functional>

#include "figures/figure_links.h"
#include "figures/figure_map.h"
#include "figures/figure_table.h"
#include "figures/figure_tree.h"
#include "picture/pixel_buffer.h"

namespace vexa::figures::plain {

struct PlainFigures {
  FigureMap map;
  FigureTable table;
  FigureLinks links;
};

inline int AllocateFigure(FigureTable& table, std::int16_t colour) {
  for (int n = 1; n <= table.length(); ++n) {
    if (table[n].state == 0) {
      table[n].state = 1;
      table[n].colour = colour;
      return n;
    }
  }
  const int n = table.length() + 1;
  table.doubleLength();
  table[n].state = 1;
  table[n].colour = colour;
  return n;
}

inline void MergeFigures(FigureMap& map, FigureTable& table, int absorbed, int kept) {
  table[absorbed].state = 0;
  for (int y = 0; y <= map.height() + 1; ++y) {
    for (int x = 0; x <= map.width() + 1; ++x) {
      if (map.at(x, y) == absorbed) map.at(x, y) = kept;
    }
  }
}

inline void AddLink(FigureLinks& links, int left, int right) {
  for (int i = 1; i <= links.FigureLinkCount(); ++i) {
    if ((links[i].parent == left && links[i].child == right) ||
        (links[i].parent == right && links[i].child == left)) {
      return;
    }
  }
  links.append(left, right);
}

inline PlainFigures ParseFigures(const picture::PixelBuffer& working) {
  const int w = working.width();
  const int h = working.height();
  PlainFigures out;
  out.map = FigureMap(w, h);
  FigureMap& map = out.map;
  FigureTable& table = out.table;

  const int frame = AllocateFigure(table, kLight);
  for (int x = 0; x <= w + 1; ++x) map.at(x, 0) = map.at(x, h + 1) = frame;
  for (int y = 0; y <= h + 1; ++y) map.at(0, y) = map.at(w + 1, y) = frame;

  for (int y = 1; y <= h; ++y) {
    for (int x = 1; x <= w; ++x) {
      const std::int16_t colour = working.gray(x, y) > 100 ? kLight : kDark;
      const int neighbours[3] = {map.at(x - 1, y), map.at(x, y - 1), map.at(x - 1, y - 1)};
      int number = 0;
      for (const int neighbour : neighbours) {
        if (table[neighbour].colour == colour) {
          number = neighbour;
          break;
        }
      }
      if (number == 0) number = AllocateFigure(table, colour);
      map.at(x, y) = number;
      const int up = map.at(x, y - 1);
      if (up != map.at(x, y) && table[up].colour == table[map.at(x, y)].colour) {
        MergeFigures(map, table, map.at(x, y), up);
      }
    }
  }
  for (int y = 1; y <= h; ++y) {
    for (int x = 2; x <= w; ++x) {
      if (map.at(x - 1, y) != map.at(x, y)) AddLink(out.links, map.at(x - 1, y), map.at(x, y));
    }
  }
  return out;
}

// BuildFigureTree by the plain recursion, with the rule the application adds: a figure already
// in the tree is not added again.
inline void BuildFigureTree(const FigureLinks& links, FigureTable& table, FigureTree& tree) {
  tree.clear();
  const int count = links.FigureLinkCount();
  int root = 0;
  for (int i = 1; i <= count && root == 0; ++i) {
    bool isChild = false;
    for (int j = 1; j <= count; ++j) isChild = isChild || links[j].child == links[i].parent;
    if (!isChild) root = links[i].parent;
  }
  if (root == 0) return;
  table[root].level = 0;
  tree.add(root, -1, 0);
  std::function<void(int, int)> addChildNodes = [&](int parent, int level) {
    for (int i = 1; i <= count; ++i) {
      if (links[i].parent != parent || tree.nodeOfFigure(links[i].child) >= 0) continue;
      const int child = links[i].child;
      table[child].level = level;
      tree.add(child, tree.nodeOfFigure(parent), level);
      addChildNodes(child, level + 1);
    }
  };
  addChildNodes(root, 1);
}

}  // namespace vexa::figures::plain
