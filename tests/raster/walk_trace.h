#pragma once
// The row walk written down as text, one step per entry, for exact comparisons:
//   "travel DX @EDGE", "burn DX v=LEVEL @EDGE (X,Y)", "row Y", "done fwd|bwd", "return DX,DY".

#include <string>
#include <vector>

#include "raster/row_walk.h"

namespace vexa::raster::test {

class WalkTrace : public WalkSteps {
 public:
  std::vector<std::string> steps;

  void travel(std::int32_t dx, std::int32_t edge) override {
    steps.push_back("travel " + std::to_string(dx) + " @" + std::to_string(edge));
  }
  void burn(std::int32_t dx, std::uint8_t level, std::int32_t edge, int x, int y) override {
    steps.push_back("burn " + std::to_string(dx) + " v=" + std::to_string(level) + " @" +
                    std::to_string(edge) + " (" + std::to_string(x) + "," + std::to_string(y) +
                    ")");
  }
  void rowMove(int row) override { steps.push_back("row " + std::to_string(row)); }
  void rowDone(bool backward) override { steps.push_back(backward ? "done bwd" : "done fwd"); }
  void returnMove(std::int32_t dx, std::int32_t dy) override {
    steps.push_back("return " + std::to_string(dx) + "," + std::to_string(dy));
  }

  int count(const std::string& prefix) const {
    int n = 0;
    for (const std::string& step : steps) n += step.rfind(prefix, 0) == 0 ? 1 : 0;
    return n;
  }
};

}  // namespace vexa::raster::test
