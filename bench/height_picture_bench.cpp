// "Интерполировать" on a 1000 x 1000 height picture from a 20 x 21 mesh: the whole picture
// (stencil weights worked out once per column and per row) against the plain road, HeightAt
// for every pixel. Reported as pixels per second; the two give the same gray levels.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>

#include "picture/pixel_buffer.h"
#include "scanner/height_mesh.h"
#include "scanner/height_picture.h"
#include "scanner/scan_preview.h"

namespace {

using namespace vexa;

constexpr int kSide = 1000;

const scanner::HeightMesh& mesh() {
  static const scanner::HeightMesh mesh = [] {
    scanner::HeightMesh m(20, 21);
    std::uint32_t seed = 2024;
    for (int r = 1; r <= m.ny(); ++r) {
      for (int c = 1; c <= m.nx(); ++c) {
        seed = seed * 1664525u + 1013904223u;
        m.at(c, r) = static_cast<std::int32_t>(seed >> 24);
      }
    }
    return m;
  }();
  return mesh;
}

void WholePicture(benchmark::State& state) {
  picture::PixelBuffer box(kSide + scanner::kBoxMargin, kSide + scanner::kBoxMargin);
  for (auto _ : state) {
    scanner::InterpolateHeightPicture(mesh(), kSide, kSide, box);
    benchmark::DoNotOptimize(box.data());
  }
  state.SetItemsProcessed(state.iterations() * (kSide + 1) * (kSide + 1));
}
BENCHMARK(WholePicture)->Unit(benchmark::kMillisecond);

void HeightAtEveryPixel(benchmark::State& state) {
  picture::PixelBuffer box(kSide + scanner::kBoxMargin, kSide + scanner::kBoxMargin);
  for (auto _ : state) {
    for (int i = 0; i <= kSide; ++i) {
      for (int j = 0; j <= kSide; ++j) {
        const int v = std::clamp(scanner::HeightAt(mesh(), kSide, kSide, i, j), 0, 255);
        box.setGray(i + scanner::kFirstNodePixel, j + scanner::kFirstNodePixel,
                    static_cast<std::uint8_t>(v));
      }
    }
    benchmark::DoNotOptimize(box.data());
  }
  state.SetItemsProcessed(state.iterations() * (kSide + 1) * (kSide + 1));
}
BENCHMARK(HeightAtEveryPixel)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
