// Opening and closing the laser window (Form3) on a program folder whose cnc.ini has grown to
// about 21 MB (a long section of other keys before [CNC]), against the same with a small
// cnc.ini. Opening reads the window's keys, closing writes them back. No controller is attached.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <filesystem>
#include <fstream>
#include <string>

#include "link/qt_event_pump.h"
#include "picture/bmp_file.h"
#include "raster/raster_window.h"
#include "shut_port.h"
#include "support/recording_prompts.h"

namespace {

using namespace vexa;

constexpr int kFillerLines = 400'000;  // 52 bytes each: about 21 MB

std::string cncSection(const std::filesystem::path& folder) {
  return "[CNC]\r\nEtching_width=10,6\r\nEtching_diameter=0,2\r\nEtching_image=" +
         (folder / "picture.bmp").string() + "\r\n";
}

void prepare(const std::filesystem::path& folder, bool huge) {
  picture::WriteBmpFile(picture::PixelBuffer(53, 37, 128), folder / "picture.bmp");
  std::ofstream ini(folder / "cnc.ini", std::ios::binary | std::ios::trunc);
  if (huge) {
    ini << "[History]\r\n";
    char line[64];
    for (int i = 0; i < kFillerLines; ++i) {
      std::snprintf(line, sizeof line, "recent%06d=/home/user/pictures/photo-%06d.jpg  \r\n", i, i);
      ini << line;
    }
  }
  ini << cncSection(folder);
}

// With `change`, a field is edited before each close, so the close has a value to store.
void openAndClose(benchmark::State& state, bool huge, bool change = false) {
  QTemporaryDir folder;
  const std::filesystem::path dir = folder.path().toStdString();
  prepare(dir, huge);
  bench::ShutPort port;
  link::QtEventPump pump;
  test::RecordingPrompts prompts;
  link::MachineLink link(port, pump, prompts);
  link::MachineSettings settings;
  int round = 0;
  for (auto _ : state) {
    raster::RasterWindow window(link, settings, dir, "");
    if (change) window.findChild<QLineEdit*>("Text4")->setText(QString::number(4000 + ++round));
    window.close();
  }
  state.counters["cnc.ini MB"] =
      static_cast<double>(std::filesystem::file_size(dir / "cnc.ini")) / 1e6;
  state.counters["messages"] = static_cast<double>(prompts.messages.size());
}

void BM_OpenCloseSmallIni(benchmark::State& state) {
  openAndClose(state, false);
}
BENCHMARK(BM_OpenCloseSmallIni)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenCloseHugeIni(benchmark::State& state) {
  openAndClose(state, true);
}
BENCHMARK(BM_OpenCloseHugeIni)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

void BM_OpenEditCloseSmallIni(benchmark::State& state) {
  openAndClose(state, false, true);
}
BENCHMARK(BM_OpenEditCloseSmallIni)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_OpenEditCloseHugeIni(benchmark::State& state) {
  openAndClose(state, true, true);
}
BENCHMARK(BM_OpenEditCloseHugeIni)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
