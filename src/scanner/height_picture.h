#pragma once
// The height picture: the mesh interpolated by cubic Lagrange polynomials through the 4 x 4
// mesh values around each picture pixel.

#include <cstdint>
#include <optional>
#include <string>

#include "picture/pixel_buffer.h"
#include "scanner/height_mesh.h"

namespace vexa::scanner {

inline constexpr const char* kNoScanText =
    "Нет данных сканирования. Сначала отсканируйте поверхность (кнопка \"Сканировать\").";
inline constexpr const char* kSmallMeshText =
    "Для интерполяции нужна сетка не меньше 4 точек по X и по Y.";

// Why `mesh` cannot be interpolated: no scan yet, or too few points for the 4 x 4 stencil.
std::optional<std::string> InterpolationProblem(const HeightMesh& mesh);

// The four mesh columns (or rows) around picture column `i` of a picture `side` pixels across
// (grid node n at (n - 1) x side / (points - 1)), and their weights. Near the edges the stencil
// stays inside the mesh and the same cubic is evaluated outside its middle interval.
struct StencilWeights {
  int first = 1;  // mesh index of the first of the four
  double weight[4] = {0, 0, 0, 0};
};
StencilWeights Stencil(int i, int side, int points);

// The interpolated height at picture pixel (i, j), 0 to W and 0 to H, before rounding. The mesh
// needs at least 4 points each way, and W and H must be at least 1.
double InterpolatedHeight(const HeightMesh& mesh, int width, int height, int i, int j);
// The same rounded to the nearest integer (ties to even) and kept within 32 bits.
std::int32_t HeightAt(const HeightMesh& mesh, int width, int height, int i, int j);

// Box pixel (i + 10, j + 10) becomes the gray HeightAt(i, j), limited to 0 to 255, for i = 0 to
// W and j = 0 to H; pixels beyond the box (a picture size not yet applied) are left out.
void InterpolateHeightPicture(const HeightMesh& mesh, int width, int height,
                              picture::PixelBuffer& box);

}  // namespace vexa::scanner
