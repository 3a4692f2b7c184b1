// "Резать 3D" against a scripted port that answers every command: concentric passes, depths by
// gray level, light areas left alone, and the end of a relief that the offset cannot shrink.

#include "milling/relief_job.h"

#include <gtest/gtest.h>

#include "figures/parse_figures.h"
#include "link/fake_serial_port.h"
#include "milling/milling_fixture.h"
#include "support/recording_prompts.h"

namespace vexa::milling {
namespace {

using picture::PixelBuffer;

struct Move {
  int x = 0, y = 0, z = 0, delay = 0;
};

class ReliefJobTest : public ::testing::Test {
 protected:
  ReliefJobTest() {
    port.opened = true;
    port.replyToEachWrite = "T";
  }

  // Runs the relief on `picture` with a cutter `diameter` pixels wide (one step per pixel and
  // per gray level, see MillingBench) and returns the moves sent.
  std::vector<Move> relief(const PixelBuffer& picture, double diameter) {
    source = picture;
    working = picture;
    bench.tool = picture;
    bench.diameterMm = diameter * 0.005;
    Mill3D({bench.parts(), source, working, diameter, [this] {
              ++parses;
              figures::ParseFigures(working, bench.figures);
            }});
    std::vector<Move> moves;
    for (const std::string& command : port.written) {
      Move move;
      std::sscanf(command.c_str(), "%d,%d,%d,%d;", &move.x, &move.y, &move.z, &move.delay);
      moves.push_back(move);
    }
    return moves;
  }

  static std::vector<int> plungesOf(const std::vector<Move>& moves) {
    std::vector<int> depths;
    for (const Move& m : moves) {
      if (m.x == 0 && m.y == 0 && m.z < 0 && m.delay == 4000) depths.push_back(-m.z);
    }
    return depths;
  }

  vexa::test::FakeSerialPort port;
  link::NoEventPump pump;
  vexa::test::RecordingPrompts prompts;
  link::MachineLink link{port, pump, prompts};
  test::MillingBench bench{link};
  PixelBuffer source, working;
  int parses = 0;
};

PixelBuffer disc(int size, int cx, int cy, int radius, std::uint8_t level) {
  PixelBuffer picture(size, size);
  for (int y = 1; y <= size; ++y) {
    for (int x = 1; x <= size; ++x) {
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) {
        picture.setGray(x, y, level);
      }
    }
  }
  return picture;
}

TEST_F(ReliefJobTest, ABlackDiscIsClearedByConcentricPassesOneCutterApart) {
  const std::vector<Move> moves = relief(disc(121, 61, 61, 50, 0), 10);
  // Each cycle's contour starts at the disc's top pixel: radius 45 after the edge bands, then
  // ten pixels less each time.
  std::vector<int> startRows;
  int y = 1;
  for (const Move& m : moves) {
    y += m.y;
    if (m.x == 0 && m.y == 0 && m.z < 0 && m.delay == 4000) startRows.push_back(y);
  }
  EXPECT_EQ(startRows, (std::vector<int>{61 - 45, 61 - 35, 61 - 25, 61 - 15, 61 - 5}));
  EXPECT_EQ(plungesOf(moves), (std::vector<int>(5, 255))) << "every pass at the full depth";
  EXPECT_EQ(parses, 6);
  EXPECT_TRUE(bench.figures.tree.empty());
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_FALSE(bench.state.reliefMode);
  EXPECT_EQ(bench.state.jobKind, kNoJob);
  long long z = 0;
  for (const Move& m : moves) z += m.z;
  EXPECT_EQ(z, 0) << "every pass retracts to the surface";
}

TEST_F(ReliefJobTest, TouchingPlateausAreCutApartAtTheirOwnDepths) {
  PixelBuffer picture(60, 40);
  for (int y = 10; y <= 30; ++y) {
    for (int x = 10; x <= 50; ++x) picture.setGray(x, y, x <= 30 ? 40 : 90);
  }
  const std::vector<int> depths = plungesOf(relief(picture, 4));
  ASSERT_FALSE(depths.empty());
  for (int depth : depths) EXPECT_TRUE(depth == 215 || depth == 165) << depth;
  EXPECT_NE(std::find(depths.begin(), depths.end(), 215), depths.end());
  EXPECT_NE(std::find(depths.begin(), depths.end(), 165), depths.end());
  // The first cycle mills the two plateaus as separate figures.
  EXPECT_EQ(depths[0], 215);
  EXPECT_EQ(depths[1], 165);
}

TEST_F(ReliefJobTest, ALightGrayAreaIsNeverMilled) {
  PixelBuffer picture(40, 40);
  for (int y = 10; y <= 30; ++y) {
    for (int x = 10; x <= 30; ++x) picture.setGray(x, y, 150);
  }
  EXPECT_TRUE(relief(picture, 4).empty());
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ReliefJobTest, DarkAreasTheOffsetCannotReachEndTheReliefWithAMessage) {
  // A dark band along the left edge, inside the frame the offset never touches.
  PixelBuffer picture(40, 40);
  for (int y = 1; y <= 40; ++y) {
    for (int x = 1; x <= 3; ++x) picture.setGray(x, y, 0);
  }
  bench.back = true;
  const std::vector<Move> moves = relief(picture, 6);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Внимание");
  EXPECT_EQ(prompts.messages[0].text, kReliefStuckText);
  EXPECT_FALSE(plungesOf(moves).empty()) << "what could be milled was milled once";
  ASSERT_FALSE(moves.empty());
  EXPECT_EQ(bench.state.toolX, 1) << "the return move still ends the job";
  EXPECT_FALSE(bench.state.reliefMode);
}

TEST_F(ReliefJobTest, StoppingInThePauseDialogEndsTheReliefAndClearsItsMode) {
  int moves = 0;
  bench.afterMove = [&] {
    if (++moves == 4) link.StopRequested = true;
  };
  prompts.pauseAnswers = {0};
  EXPECT_THROW(relief(disc(60, 30, 30, 20, 0), 6), link::LinkAbort);
  EXPECT_FALSE(bench.state.reliefMode);
  EXPECT_EQ(bench.state.jobKind, kNoJob);
  EXPECT_EQ(port.written.size(), 4u);
}

}  // namespace
}  // namespace vexa::milling
