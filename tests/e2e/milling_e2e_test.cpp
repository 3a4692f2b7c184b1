// Milling through the real executable: the menu opens the milling window on a vexa-sim
// controller with the "MT" firmware, "Разобрать" parses the default ornament, "Все" mills every
// dark figure and returns to the start.

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <sstream>

#include "figures/contour_starts.h"
#include "figures/figure_data.h"
#include "figures/parse_figures.h"
#include "ornament_run.h"
#include "picture/bmp_file.h"
#include "picture/gray_picture.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"
#include "support/vexa_run.h"

namespace vexa::e2e {
namespace {

struct Move {
  long long x = 0, y = 0, z = 0, delay = 0;
};

Move parse(const std::string& command) {
  Move move;
  std::istringstream fields(command);
  char comma = 0;
  fields >> move.x >> comma >> move.y >> comma >> move.z >> comma >> move.delay;
  return move;
}

// The contours "Все" mills in `picture`: each dark figure's holes that have a pixel of the
// figure above them, and its outside.
int contoursOf(const picture::PixelBuffer& picture) {
  figures::FigureData data;
  figures::ParseFigures(picture, data);
  const figures::ContourStarts starts(data.map);
  int contours = 0;
  for (std::int32_t f = 1; f <= data.table.length(); ++f) {
    if (data.table[f].state != figures::kInUse || data.table[f].colour != figures::kDark) continue;
    ++contours;
    for (const figures::FigureLink& link : data.links.inUse()) {
      if (link.parent == f && starts.aboveHole(f, link.child)) ++contours;
    }
  }
  return contours;
}

TEST(MillingEndToEnd, MillsTheOrnamentFigureByFigureAndReturnsToTheStart) {
  test::SimProcess sim({"--tag", "MT"});
  const std::vector<std::string> commands = RunOnOrnament(sim, "cncrez_width=50\r\n",
                                                          "menu mill_cl\n"
                                                          "click Form1/Command3\n"
                                                          "check Form1/Check2 on\n"
                                                          "click Form1/Command2\n"
                                                          "quit\n");
  ASSERT_GT(commands.size(), 1u);
  Move total;
  int plunges = 0, retracts = 0;
  for (const std::string& command : commands) {
    const Move move = parse(command);
    total.x += move.x;
    total.y += move.y;
    total.z += move.z;
    if (move.x == 0 && move.y == 0 && move.z < 0 && move.delay == 4000) ++plunges;
    if (move.x == 0 && move.y == 0 && move.z > 0 && move.delay == 2000) ++retracts;
  }
  const std::filesystem::path ornament =
      std::filesystem::path(VEXA_EXE_PATH).parent_path() / "ornament.bmp";
  const int contours = contoursOf(picture::Gray32Picture(picture::ReadBmpFile(ornament).pixels));
  EXPECT_GT(contours, 3);
  EXPECT_EQ(plunges, contours);
  EXPECT_EQ(retracts, contours);
  EXPECT_EQ(total.z, 0) << "every contour retracts to the surface";
  EXPECT_LE(std::llabs(total.x), 1);
  EXPECT_LE(std::llabs(total.y), 1);
}

TEST(MillingEndToEnd, MillsTheFigureSelectedInTheTree) {
  test::SimProcess sim({"--tag", "MT"});
  test::TempFolder folder;
  // A 2 x 2 square, 0,02 mm wide at 0,005 mm per step: one step per pixel.
  picture::PixelBuffer square(4, 4);
  for (int y = 2; y <= 3; ++y) {
    for (int x = 2; x <= 3; ++x) square.setGray(x, y, 0);
  }
  picture::WriteBmpFile(square, folder / "square.bmp");
  folder.write("cnc.ini", "[CNC]\r\nPort=" + sim.portPath() + "\r\ncncrez_width=0,02\r\n" +
                              "cncrez_depth=1,275\r\nImage=" + (folder / "square.bmp").string() +
                              "\r\n");
  const test::VexaRun run = test::runVexa(
      folder,
      "menu mill_cl\nclick Form1/Command3\nselect Form1/tv P2\nclick Form1/Command1\nquit\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(sim.receivedCommands(),
            (std::vector<std::string>{"V", "1,1,0,2000", "0,0,-255,4000", "1,0,0,0", "0,1,0,0",
                                      "-1,0,0,0", "0,-1,0,0", "0,0,255,2000"}));
}

}  // namespace
}  // namespace vexa::e2e

namespace vexa::e2e {
namespace {

TEST(MillingEndToEnd, ReliefCutsEachPlateauAtItsDepthAndEndsOnItsOwn) {
  test::SimProcess sim({"--tag", "MT"});
  test::TempFolder folder;
  // Two touching plateaus (40 and 90) and a black disc on white, 80 x 50 pixels, one step per
  // pixel and per gray level, the cutter 4 pixels across.
  picture::PixelBuffer relief(80, 50);
  for (int y = 8; y <= 24; ++y) {
    for (int x = 8; x <= 40; ++x) relief.setGray(x, y, x <= 24 ? 40 : 90);
  }
  for (int y = 1; y <= 50; ++y) {
    for (int x = 1; x <= 80; ++x) {
      if ((x - 60) * (x - 60) + (y - 32) * (y - 32) <= 12 * 12) relief.setGray(x, y, 0);
    }
  }
  picture::WriteBmpFile(relief, folder / "relief.bmp");
  folder.write("cnc.ini", "[CNC]\r\nPort=" + sim.portPath() +
                              "\r\ncncrez_width=0,4\r\ncncrez_depth=1,275\r\n"
                              "mill_diameter=0,02\r\nImage=" +
                              (folder / "relief.bmp").string() + "\r\n");
  const test::VexaRun run =
      test::runVexa(folder, "menu mill_cl\ncheck Form1/Check2 on\nclick Form1/Command6\nquit\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_TRUE(run.transcript.empty()) << run.transcript;

  std::map<long long, int> plungesByDepth;
  Move total;
  const std::vector<std::string> commands = sim.receivedCommands();
  for (std::size_t i = 1; i < commands.size(); ++i) {
    const Move move = parse(commands[i]);
    total.x += move.x;
    total.y += move.y;
    total.z += move.z;
    if (move.x == 0 && move.y == 0 && move.z < 0 && move.delay == 4000) ++plungesByDepth[-move.z];
  }
  // The depths follow the levels the gray conversion gave the plateaus (90 becomes 91).
  const picture::PixelBuffer work = picture::ReadBmpFile(folder / "work.bmp").pixels;
  std::map<long long, int> expected;
  for (auto [x, y] : {std::pair{10, 10}, {30, 10}, {60, 32}}) expected[255 - work.gray(x, y)];
  for (auto& [depth, count] : expected) count = plungesByDepth.count(depth) ? 1 : 0;
  EXPECT_EQ(expected.size(), 3u);
  for (const auto& [depth, found] : expected) EXPECT_EQ(found, 1) << "a cut at depth " << depth;
  EXPECT_EQ(plungesByDepth.size(), 3u) << ::testing::PrintToString(plungesByDepth);
  EXPECT_EQ(total.z, 0);
  EXPECT_EQ(total.x, 0);
  EXPECT_EQ(total.y, 0);
}

}  // namespace
}  // namespace vexa::e2e
