// Each job's standard G-code, read back independently, is the path of the commands the same job
// sent to the controller (vexa-sim), point for point within 0,001 mm, working exactly where the
// machine worked. The calibration gives fractions of steps and a reversed Y axis, so the file
// must follow the steps the job really sent, not the pixels it meant.

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cutting/cutting_job.h"
#include "figures/figure_pictures.h"
#include "gcode/job_gcode.h"
#include "milling/milling_fixture.h"
#include "milling/relief_job.h"
#include "outline/outline_fixture.h"
#include "picture/fit_plan.h"
#include "picture/gray_picture.h"
#include "picture/picture_samples.h"
#include "picture/qt_codec.h"
#include "raster/raster_run_fixture.h"
#include "support/gcode_path.h"
#include "support/sim_link.h"
#include "support/sim_sync.h"

namespace vexa::gcode {
namespace {

using figures::test::Drawn;
using picture::PixelBuffer;
using picture::test::GrayPicture;
using vexa::test::CommandPath;
using vexa::test::ExpectSamePath;
using vexa::test::ReadGcodePath;

std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The photograph beside the executable, gray and `width` pixels wide.
PixelBuffer Photograph(int width) {
  const PixelBuffer photo = picture::Gray32Picture(picture::LoadPictureFile(
      std::filesystem::path(VEXA_EXE_PATH).parent_path() / "gepard2.jpg"));
  return picture::FitPicture(photo, picture::PlanFit(width, 1, photo.width(), photo.height()));
}

// Fractions of a step per pixel on every axis, Y reversed.
void Calibrate(link::MachineSettings& machine) {
  machine.SM_X_ratio = 0.0031;
  machine.SM_Y_ratio = -0.0047;
  machine.SM_Z_ratio = 0.0029;
}

struct PictureCase {
  const char* name;
  PixelBuffer picture;
};

std::vector<PictureCase> FigurePictures() {
  return {{"square with a hole", Drawn({".......", ".#####.", ".#####.", ".##.##.", ".#####.",
                                       ".#####.", "......."})},
          {"gray levels", GrayPicture({{255, 255, 255, 255, 255},
                                       {255, 0, 50, 200, 255},
                                       {255, 90, 30, 255, 255},
                                       {255, 255, 255, 255, 255}})},
          {"photograph", Photograph(48)}};
}

TEST(GcodeRoundTrip, MillingAllAndReliefFollowTheCutterDownAndUp) {
  for (const bool relief : {false, true}) {
    for (const PictureCase& c : FigurePictures()) {
      SCOPED_TRACE(std::string(c.name) + (relief ? ", Резать 3D" : ", Все"));
      vexa::test::SimLink sim({"--tag", "MT"});
      milling::test::MillingBench bench(sim.link);
      Calibrate(bench.settings);
      bench.settings.SM_optim = 1;
      bench.load(c.picture);
      bench.diameterMm = 2 * 0.005;
      PixelBuffer source = c.picture, working = c.picture;
      const auto path = sim.folder / "program.gcode";
      {
        JobGcode gcode(path, "test", JobGcode::Tool::Cutter, Calibration::Of(bench.settings), {},
                       bench.moves.listener);
        if (relief) {
          milling::Mill3D({bench.parts(), source, working, 2, [&] {
                             figures::ParseFigures(working, bench.figures);
                           }});
        } else {
          milling::MillingJob(bench.parts()).MillAll();
        }
        gcode.finish();
      }
      const auto commands = vexa::test::CommandsSoFar(sim.link, sim.sim, "MT");
      if (std::string(c.name) == "photograph") {
        ASSERT_GT(commands.size(), 100u);
      }
      ExpectSamePath(ReadGcodePath(FileText(path)),
                     CommandPath(commands, "MT", 0.0031, -0.0047, 0.0029));
    }
  }
}

TEST(GcodeRoundTrip, OutlineFillAndCuttingBurnExactlyWhereTheLaserWasOn) {
  enum class Job { OutlineAll, Fill, Cut };
  for (const Job job : {Job::OutlineAll, Job::Fill, Job::Cut}) {
    for (const PictureCase& c : FigurePictures()) {
      SCOPED_TRACE(std::string(c.name) + " job " + std::to_string(static_cast<int>(job)));
      vexa::test::SimLink sim({"--tag", "OT"});
      outline::test::OutlineBench bench(sim.link);
      Calibrate(bench.settings);
      bench.load(c.picture);
      bench.spotDiameter = 2;
      const auto path = sim.folder / "program.gcode";
      // The cutting job reads the thinned picture; a plain drawing serves as its own.
      PixelBuffer laser = c.picture, templatePicture = c.picture, cutWorking = c.picture;
      link::OutlineMoves cutMoves(
          link::MotionContext(sim.link, bench.settings, [] { return true; }),
          [&] { return link::PlaneScale{laser.width() * 0.005, laser.width()}; },
          link::OutlineMoves::WhenIdle::Continue);
      link::OutlineMoves& moves = job == Job::Cut ? cutMoves : bench.moves;
      {
        JobGcode gcode(path, "test", JobGcode::Tool::Laser, Calibration::Of(bench.settings), {},
                       moves.listener);
        if (job == Job::OutlineAll) outline::OutlineJob(bench.parts()).OutlineAll();
        if (job == Job::Fill) outline::FillAll(bench.fillParts());
        if (job == Job::Cut) {
          cutting::CuttingJob({cutMoves, bench.settings, sim.prompts,
                               {cutWorking, templatePicture, laser}, 1000, {}, {}, {}, {}, {}})
              .CutByPicture();
        }
        gcode.finish();
      }
      const auto commands = vexa::test::CommandsSoFar(sim.link, sim.sim, "OT");
      ExpectSamePath(ReadGcodePath(FileText(path)),
                     CommandPath(commands, "OT", 0.0031, -0.0047, 0.0029));
      const std::string text = FileText(path);
      EXPECT_EQ(text.substr(text.size() - 4), "M2\r\n");
    }
  }
}

TEST(GcodeRoundTrip, RasterStandardFormBurnsEveryDarkPixelAtItsPower) {
  for (const PictureCase& c : FigurePictures()) {
    SCOPED_TRACE(c.name);
    raster::test::RunBench bench;
    Calibrate(bench.settings);
    bench.exportPath = bench.folder / "program.gcode";
    raster::RunParts parts = bench.parts(c.picture, raster::test::Mode::Laser);
    parts.dialect = Dialect::Standard;
    ASSERT_TRUE(bench.run(std::move(parts)));
    ExpectSamePath(ReadGcodePath(FileText(*bench.exportPath)),
                   CommandPath(bench.last, "PT", 0.0031, -0.0047, 0.0029));
  }
}

}  // namespace
}  // namespace vexa::gcode
