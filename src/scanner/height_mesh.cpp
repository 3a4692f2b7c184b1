#include "scanner/height_mesh.h"

#include <algorithm>

#include "link/nearest.h"

namespace vexa::scanner {

HeightMesh::HeightMesh(int nx, int ny)
    : nx_(nx), ny_(ny), values_(static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny), 0) {}

// The lowest reading is the true lowest one: a fixed starting minimum (the probe's 2000) would
// keep readings above it from reaching 0.
void ScaleMesh(HeightMesh& mesh) {
  if (mesh.empty()) return;
  std::int32_t low = mesh.at(1, 1);
  std::int32_t high = low;
  for (int r = 1; r <= mesh.ny(); ++r) {
    for (int c = 1; c <= mesh.nx(); ++c) {
      low = std::min(low, mesh.at(c, r));
      high = std::max(high, mesh.at(c, r));
    }
  }
  const double spread = static_cast<double>(high) - low;
  for (int r = 1; r <= mesh.ny(); ++r) {
    for (int c = 1; c <= mesh.nx(); ++c) {
      std::int32_t& v = mesh.at(c, r);
      v = spread > 0 ? static_cast<std::int32_t>(
                           link::Nearest((v - static_cast<double>(low)) * 255.0 / spread))
                     : 0;
    }
  }
}

}  // namespace vexa::scanner
