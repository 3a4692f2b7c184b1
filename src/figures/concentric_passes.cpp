#include "figures/concentric_passes.h"

namespace vexa::figures {

bool RunConcentricPasses(FigureData& figures, const ConcentricPasses& passes) {
  passes.cutEdges();
  figures.resetTables();
  passes.parse();
  while (!figures.tree.empty()) {
    passes.workAll();
    const bool shrank = passes.shrink();
    figures.resetTables();
    if (!shrank) return false;
    passes.parse();
  }
  return true;
}

}  // namespace vexa::figures
