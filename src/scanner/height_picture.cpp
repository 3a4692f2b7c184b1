#include "scanner/height_picture.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "link/nearest.h"
#include "scanner/scan_preview.h"

namespace vexa::scanner {

namespace {

constexpr int kStencilPoints = 4;

// The cubic Lagrange basis on the nodes -1, 0, 1, 2.
void LagrangeBasis(double t, double (&weight)[4]) {
  weight[0] = -t * (t - 1) * (t - 2) / 6;
  weight[1] = (t + 1) * (t - 1) * (t - 2) / 2;
  weight[2] = -(t + 1) * t * (t - 2) / 2;
  weight[3] = (t + 1) * t * (t - 1) / 6;
}

// Both the single pixel and the whole picture sum in this order, so they agree to the bit.
double Blend(const HeightMesh& mesh, const StencilWeights& across, const StencilWeights& down) {
  double sum = 0;
  for (int p = 0; p < kStencilPoints; ++p) {
    for (int q = 0; q < kStencilPoints; ++q) {
      sum += across.weight[p] * down.weight[q] * mesh.at(across.first + p, down.first + q);
    }
  }
  return sum;
}

std::int32_t Rounded(double value) {
  const double rounded = link::Nearest(value);
  return static_cast<std::int32_t>(
      std::clamp(rounded, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                 static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

}  // namespace

std::optional<std::string> InterpolationProblem(const HeightMesh& mesh) {
  if (mesh.empty()) return kNoScanText;
  if (mesh.nx() < kStencilPoints || mesh.ny() < kStencilPoints) return kSmallMeshText;
  return std::nullopt;
}

StencilWeights Stencil(int i, int side, int points) {
  const double spacing = static_cast<double>(side) / (points - 1);
  const double u = i / spacing + 1;
  int base = static_cast<int>(std::floor(u));
  double t = u - base;
  while (base < 2) {
    ++base;
    t -= 1;
  }
  while (base > points - 2) {
    --base;
    t += 1;
  }
  StencilWeights stencil;
  stencil.first = base - 1;
  LagrangeBasis(t, stencil.weight);
  return stencil;
}

double InterpolatedHeight(const HeightMesh& mesh, int width, int height, int i, int j) {
  return Blend(mesh, Stencil(i, width, mesh.nx()), Stencil(j, height, mesh.ny()));
}

std::int32_t HeightAt(const HeightMesh& mesh, int width, int height, int i, int j) {
  return Rounded(InterpolatedHeight(mesh, width, height, i, j));
}

void InterpolateHeightPicture(const HeightMesh& mesh, int width, int height,
                              picture::PixelBuffer& box) {
  const int lastI = std::min(width, box.width() - kFirstNodePixel);
  const int lastJ = std::min(height, box.height() - kFirstNodePixel);
  if (lastI < 0 || lastJ < 0) return;
  // The weights of a column do not depend on the row: work them out once.
  std::vector<StencilWeights> rows(static_cast<std::size_t>(lastJ) + 1);
  for (int j = 0; j <= lastJ; ++j) rows[j] = Stencil(j, height, mesh.ny());
  for (int i = 0; i <= lastI; ++i) {
    const StencilWeights across = Stencil(i, width, mesh.nx());
    for (int j = 0; j <= lastJ; ++j) {
      const std::int32_t v =
          std::clamp<std::int32_t>(Rounded(Blend(mesh, across, rows[j])), 0, 255);
      box.setGray(i + kFirstNodePixel, j + kFirstNodePixel, static_cast<std::uint8_t>(v));
    }
  }
}

}  // namespace vexa::scanner
