// Showing the figure tree of a photograph dithered to black and white at 4000 x 3000 (over a
// million figures): the time from the parse's end until the view `tv` holds the whole tree
// expanded, next to the parse itself, and the memory the view adds per node.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <fstream>
#include <string>

#include "bench_pictures.h"
#include "bench_qt_main.h"
#include "figures/figure_tree_widget.h"
#include "figures/parse_figures.h"
#include "picture/pseudo_tone.h"

namespace {

using vexa::picture::PixelBuffer;

const PixelBuffer& Dithered() {
  static PixelBuffer picture;
  if (picture.empty()) {
    picture = vexa::bench::Photograph(4000, 3000);
    vexa::picture::PseudoTone(picture);
  }
  return picture;
}

long residentKilobytes() {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) return std::stol(line.substr(6));
  }
  return 0;
}

void BM_ParseDitheredPhotograph(benchmark::State& state) {
  vexa::figures::FigureData data;
  for (auto _ : state) vexa::figures::ParseFigures(Dithered(), data);
  state.counters["nodes"] = data.tree.size();
}
BENCHMARK(BM_ParseDitheredPhotograph)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ShowTree(benchmark::State& state) {
  vexa::figures::FigureData data;
  vexa::figures::ParseFigures(Dithered(), data);
  double bytesPerNode = 0;
  for (auto _ : state) {
    vexa::figures::FigureTreeWidget tv;
    tv.resize(200, 600);
    tv.show();
    const long before = residentKilobytes();
    tv.showTree(&data.tree);
    QCoreApplication::processEvents();  // the first paint
    bytesPerNode = (residentKilobytes() - before) * 1024.0 / data.tree.size();
    state.PauseTiming();
    tv.showTree(nullptr);
    state.ResumeTiming();
  }
  state.counters["nodes"] = data.tree.size();
  state.counters["view_bytes_per_node"] = bytesPerNode;
}
BENCHMARK(BM_ShowTree)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

VEXA_QT_BENCHMARK_MAIN()
