// What the terminal costs a conversion: a 4000 x 3000 photograph turned into the laser's raster
// G-code (standard form) by `vexa-cli raster` as a process, against the same subcommand run inside
// this process (the intake, the fitting, the run and the file alike). Both start from the BMP file
// and the same cnc.ini. cli_cost = process / in-process (1.0 = free).

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QProcess>
#include <filesystem>

#include "bench_pictures.h"
#include "bench_qt_main.h"
#include "bench_timing.h"
#include "cli/raster_command.h"
#include "picture/bmp_file.h"
#include "support/temp_folder.h"

namespace {

using namespace vexa;

struct Conversion {
  test::TempFolder folder;
  cli::CommonOptions common;
  cli::RasterOptions options;

  Conversion() {
    picture::WriteBmpFile(bench::Photograph(4000, 3000), folder / "photo.bmp");
    // 800 mm at 0,2 mm spots: the photograph keeps its 4000 pixels a row.
    folder.write("cnc.ini", "[CNC]\r\nEtching_width=800\r\nEtching_diameter=0,2\r\n");
    common.picture = (folder / "photo.bmp").string();
    common.gcode = (folder / "photo.gcode").string();
    common.dialect = "standard";
    common.quiet = true;
  }
};

void BM_CliConversion(benchmark::State& state) {
  Conversion c;
  double process = 0, inProcess = 0;
  for (auto _ : state) {
    inProcess = bench::BestSeconds(2, [&] {
      if (cli::RunRasterCommand(c.folder.path(), c.common, c.options) != 0) {
        state.SkipWithError("the in-process conversion failed");
      }
    });
    process = bench::BestSeconds(2, [&] {
      QProcess cli;
      cli.start(VEXA_CLI_PATH,
                {"--program-dir", QString::fromStdString(c.folder.path().string()), "raster",
                 QString::fromStdString(c.common.picture), "--gcode",
                 QString::fromStdString(c.common.gcode), "--dialect", "standard", "--quiet"});
      if (!cli.waitForFinished(-1) || cli.exitCode() != 0) {
        state.SkipWithError("vexa-cli failed");
      }
    });
  }
  state.counters["process_s"] = process;
  state.counters["in_process_s"] = inProcess;
  state.counters["cli_cost"] = process / inProcess;
  state.counters["gcode_MB"] = double(std::filesystem::file_size(c.common.gcode)) / 1e6;
}
BENCHMARK(BM_CliConversion)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace

VEXA_QT_CORE_BENCHMARK_MAIN();
