#pragma once
// The figure data a figure window owns: map, table, links and the nesting tree built from them.

#include "figures/figure_links.h"
#include "figures/figure_map.h"
#include "figures/figure_table.h"
#include "figures/figure_tree.h"
#include "figures/parse_scratch.h"

namespace vexa::figures {

struct FigureData {
  FigureMap map;
  FigureTable table;
  FigureLinks links;
  FigureTree tree;
  ParseScratch scratch;  // working memory of ParseFigures, reused by the next parse

  // Everything but the parse's working memory, from `from`: what a job's snapshot keeps.
  void copyResults(const FigureData& from) {
    map = from.map;
    table = from.table;
    links = from.links;
    tree = from.tree;
  }

  // "Градиент" and "Отступить": 100 empty entries and no links; the map and the tree stay as they
  // are, so a new parse is needed before machining.
  void resetTables() {
    table.reset();
    links.reset();
  }
};

}  // namespace vexa::figures
