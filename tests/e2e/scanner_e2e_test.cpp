// The whole road of 3D scanning through the real executable: the menu opens the scanner window,
// which checks the "ST" firmware of a vexa-sim controller with configured probe readings, scans
// the 6 x 5 mesh, interpolates the height picture and saves image.bmp. The program is driven
// by its automation hook.

#include <gtest/gtest.h>

#include "picture/bmp_file.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"
#include "support/vexa_run.h"

namespace vexa::e2e {
namespace {

using Commands = std::vector<std::string>;
using test::runVexa;
using test::VexaRun;

// The first strip of the walk goes up columns 1 and 2, the second down 3 and 4, the third up
// 5 and 6: (column, row) in the order the probe visits them.
const std::pair<int, int> kWalk[] = {{1, 1}, {2, 1}, {2, 2}, {1, 2}, {1, 3}, {2, 3}, {2, 4}, {1, 4},
                                     {1, 5}, {2, 5}, {3, 5}, {4, 5}, {4, 4}, {3, 4}, {3, 3}, {4, 3},
                                     {4, 2}, {3, 2}, {3, 1}, {4, 1}, {5, 1}, {6, 1}, {6, 2}, {5, 2},
                                     {5, 3}, {6, 3}, {6, 4}, {5, 4}, {5, 5}, {6, 5}};

class ScannerEndToEnd : public ::testing::Test {
 protected:
  ScannerEndToEnd() : sim({"--tag", "ST", "--probe", "40,60,50"}) {
    folder.write("cnc.ini", "[CNC]\r\nPort=" + sim.portPath() + "\r\nspeed=9600\r\n");
  }

  test::SimProcess sim;
  test::TempFolder folder;
};

TEST_F(ScannerEndToEnd, ScansInterpolatesAndSavesTheHeightPicture) {
  const VexaRun run = runVexa(folder,
                              "menu scanner_cl\n"
                              "click Form2/Command6\n"
                              "click Form2/Command2\n"
                              "click Form2/Command1\n"
                              "quit\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.transcript,
            "message\tZiravev AVE\tСканирвание завершено\n"
            "message\tСохранение\tИзображение сохранено\n");

  // 100 mm over 5 column steps, 100 mm (derived from the square picture) over 4 row steps.
  Commands walk{"V", "0,0,200"};
  for (std::size_t k = 1; k < std::size(kWalk); ++k) {
    walk.push_back(std::to_string((kWalk[k].first - kWalk[k - 1].first) * 4000) + "," +
                   std::to_string((kWalk[k].second - kWalk[k - 1].second) * 5000) + ",0");
    walk.push_back("0,0,200");
  }
  EXPECT_EQ(sim.receivedCommands(), walk);

  // Readings 40, 60, 50 in turn scale to 0, 255, 128; the picture takes them at the nodes.
  const auto image = picture::ReadBmpFile(folder / "image.bmp");
  ASSERT_EQ(image.bitsPerPixel, 24);
  ASSERT_EQ(image.pixels.width(), 222);
  const int gray[] = {0, 255, 128};
  for (std::size_t k = 0; k < std::size(kWalk); ++k) {
    const auto [c, r] = kWalk[k];
    EXPECT_EQ(image.pixels.gray((c - 1) * 40 + 10, (r - 1) * 50 + 10), gray[k % 3])
        << "node " << c << ", " << r;
  }
  EXPECT_TRUE(image.pixels.isGray());
  EXPECT_NE(folder.read("cnc.ini").find("scanner_mesh_width=6"), std::string::npos);
}

TEST_F(ScannerEndToEnd, AMeshTheWalkCannotTakeIsRefusedBeforeAnythingMoves) {
  const VexaRun run = runVexa(folder,
                              "menu scanner_cl\n"
                              "type Form2/Text3 5\n"
                              "click Form2/Command6\n"
                              "click Form2/Command2\n"
                              "quit\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.transcript,
            "message\tZuridid IRA\tРазмер сетки по X должен быть кратным 4\n"
            "message\tВнимание\tНет данных сканирования. Сначала отсканируйте поверхность "
            "(кнопка \"Сканировать\").\n");
  EXPECT_EQ(sim.receivedCommands(), Commands{"V"});
  EXPECT_NE(folder.read("cnc.ini").find("scanner_mesh_width=5"), std::string::npos);
}

}  // namespace
}  // namespace vexa::e2e
