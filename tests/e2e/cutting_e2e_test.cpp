// Cutting by picture through the real executable: the menu opens the cutting window on a
// vexa-sim controller with the "OT" firmware, "Обработать" turns a small drawing of thick shapes
// into thin lines and neuro.bmp, "Резать" cuts every stroke with the laser on once and off once
// and returns to the start.

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cutting/find_strokes.h"
#include "picture/bmp_file.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"
#include "support/vexa_run.h"

namespace vexa::e2e {
namespace {

// X,Y,L,W; with the zero fields at the end dropped.
struct Move {
  long long x = 0, y = 0, laser = 0, delay = 0;
};

Move parse(const std::string& command) {
  long long fields[4] = {0, 0, 0, 0};
  std::istringstream text(command);
  std::string field;
  for (int i = 0; i < 4 && std::getline(text, field, ','); ++i) fields[i] = std::stoll(field);
  return {fields[0], fields[1], fields[2], fields[3]};
}

// Thick shapes that the chain thins: a frame three pixels wide, a bar and a blot.
picture::PixelBuffer drawing() {
  picture::PixelBuffer picture(60, 40);
  auto fill = [&](int x0, int y0, int x1, int y1) {
    for (int y = y0; y <= y1; ++y) {
      for (int x = x0; x <= x1; ++x) picture.setGray(x, y, 0);
    }
  };
  fill(5, 5, 30, 7);
  fill(5, 30, 30, 32);
  fill(5, 5, 7, 32);
  fill(28, 5, 30, 32);
  for (int i = 0; i < 18; ++i) fill(36 + i, 8 + i, 38 + i, 10 + i);
  fill(44, 30, 52, 36);
  return picture;
}

TEST(CuttingEndToEnd, ProcessesTheDrawingThenCutsEveryStrokeAndReturns) {
  test::SimProcess sim({"--tag", "OT"});
  test::TempFolder folder;
  const std::filesystem::path resources = std::filesystem::path(VEXA_EXE_PATH).parent_path();
  std::filesystem::copy_file(resources / "neuro.net", folder / "neuro.net");
  picture::WriteBmpFile(drawing(), folder / "drawing.bmp");
  // 60 pixels over 0,3 mm at 0,005 mm per step: one step per pixel.
  folder.write("cnc.ini", "[CNC]\r\nPort=" + sim.portPath() +
                              "\r\nEtching9_width=0,3\r\nEtching9_delay=1000\r\nEtching9_image=" +
                              (folder / "drawing.bmp").string() + "\r\n");

  const test::VexaRun run = test::runVexa(folder,
                                          "menu pic_cl\n"
                                          "click Form9/Command1\n"
                                          "check Form9/Check2 on\n"
                                          "click Form9/Command2\n"
                                          "quit\n");
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(run.transcript, "message\tZiravev AVE\tГотово\n");

  // Every stroke of the line picture stored in neuro.bmp is cut.
  const picture::PixelBuffer neuro = picture::ReadBmpFile(folder / "neuro.bmp").pixels;
  EXPECT_NE(neuro, picture::ReadBmpFile(folder / "work.bmp").pixels);
  cutting::Strokes strokes;
  cutting::EventPacer pacer{{}};
  picture::PixelBuffer traced = neuro;
  cutting::FindStrokes(traced, strokes, pacer);
  ASSERT_GT(strokes.count(), 2);

  const std::vector<std::string> commands = sim.receivedCommands();
  ASSERT_GT(commands.size(), 2u);
  EXPECT_EQ(commands.front(), "V");
  int ons = 0, offs = 0;
  bool laserOn = false;
  Move total;
  for (std::size_t i = 1; i < commands.size(); ++i) {
    const Move move = parse(commands[i]);
    total.x += move.x;
    total.y += move.y;
    if (move.laser == 1) {
      EXPECT_FALSE(laserOn) << "command " << i;
      EXPECT_EQ(commands[i], "0,0,1,1000");
      laserOn = true;
      ++ons;
    } else if (move.laser == -1) {
      EXPECT_TRUE(laserOn) << "command " << i;
      EXPECT_EQ(commands[i], "0,0,-1,2000");
      laserOn = false;
      ++offs;
    } else if (laserOn) {
      EXPECT_TRUE(std::llabs(move.x) <= 1 && std::llabs(move.y) <= 1 && move.delay == 0)
          << "a single-pixel step, not " << commands[i];
    } else {
      EXPECT_EQ(move.delay, i + 1 == commands.size() ? 0 : 2000) << commands[i];
    }
  }
  EXPECT_FALSE(laserOn);
  EXPECT_EQ(ons, strokes.count());
  EXPECT_EQ(offs, strokes.count());
  EXPECT_EQ(total.x, 0) << "back at the start";
  EXPECT_EQ(total.y, 0);
  EXPECT_NE(folder.read("cnc.ini").find("Etching9_width=0,3"), std::string::npos);
}

}  // namespace
}  // namespace vexa::e2e
