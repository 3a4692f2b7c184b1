#pragma once
// The height mesh of a scan: one reading per grid point, scaled to gray levels 0 to 255 at the
// end of a scan with the machine.

#include <cstdint>
#include <vector>

namespace vexa::scanner {

class HeightMesh {
 public:
  HeightMesh() = default;
  // nx columns by ny rows, every value 0.
  HeightMesh(int nx, int ny);

  int nx() const { return nx_; }
  int ny() const { return ny_; }
  bool empty() const { return values_.empty(); }

  // Grid column 1 to nx, grid row 1 to ny.
  std::int32_t& at(int column, int row) { return values_[index(column, row)]; }
  std::int32_t at(int column, int row) const { return values_[index(column, row)]; }

  friend bool operator==(const HeightMesh&, const HeightMesh&) = default;

 private:
  std::size_t index(int column, int row) const {
    return static_cast<std::size_t>(row - 1) * static_cast<std::size_t>(nx_) +
           static_cast<std::size_t>(column - 1);
  }

  int nx_ = 0;
  int ny_ = 0;
  std::vector<std::int32_t> values_;
};

// Spreads the readings over 0 to 255: v becomes nearest((v - min) x 255 / (max - min)). A mesh
// whose readings are all equal has no spread to show and becomes all 0.
void ScaleMesh(HeightMesh& mesh);

}  // namespace vexa::scanner
