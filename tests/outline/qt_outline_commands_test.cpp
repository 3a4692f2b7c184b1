// Exact command texts of the outline jobs, through the real serial backend to vexa-sim.

#include <gtest/gtest.h>

#include <QTimer>

#include "figures/figure_pictures.h"
#include "outline/outline_fixture.h"
#include "support/sim_link.h"
#include "support/sim_sync.h"

namespace vexa::outline {
namespace {

using figures::test::Drawn;
using Commands = std::vector<std::string>;

class OutlineCommandsTest : public ::testing::Test {
 protected:
  OutlineCommandsTest() : sim({"--tag", "OT"}) {}

  Commands fresh() {
    const Commands all = vexa::test::CommandsSoFar(sim.link, sim.sim, "OT");
    const Commands mine(all.begin() + static_cast<long>(seen_), all.end());
    seen_ = all.size() + 1;
    return mine;
  }

  vexa::test::SimLink sim;
  test::OutlineBench bench{sim.link};
  std::size_t seen_ = 0;
};

struct SelectedCase {
  const char* name;
  std::vector<std::string> drawing;
  int x, y;
  Commands commands;
};

TEST_F(OutlineCommandsTest, SelectedFigureOutlines) {
  const std::vector<SelectedCase> cases = {
      {"two pixels: laser on, one pixel right as the X steps alone, back, laser off",
       {"....", ".##.", "...."},
       2,
       2,
       {"1,1,0,2000", "0,0,1,1000", "1", "-1", "0,0,-1,2000"}},
      {"2 x 2 square: the turn before the search only when the cell ahead is the figure's",
       {"....", ".##.", ".##.", "...."},
       2,
       2,
       {"1,1,0,2000", "0,0,1,1000", "1", "0,1", "-1", "0,-1", "0,0,-1,2000"}},
      {"a single pixel: laser on and off, no step",
       {"...", ".#.", "..."},
       2,
       2,
       {"1,1,0,2000", "0,0,1,1000", "0,0,-1,2000"}},
      {"a figure only in the last row has no start", {"....", "....", ".##."}, 2, 3, {}},
  };
  for (const SelectedCase& c : cases) {
    SCOPED_TRACE(c.name);
    bench.load(Drawn(c.drawing));
    OutlineJob(bench.parts()).OutlineSelected(bench.figureAt(c.x, c.y));
    EXPECT_EQ(fresh(), c.commands);
  }
}

TEST_F(OutlineCommandsTest, StopSwitchesTheLaserOffForTheQuestionAndOnAgainAfterNo) {
  bench.load(Drawn({"....", ".##.", ".##.", "...."}));
  int moves = 0;
  bench.afterMove = [&] {
    if (++moves == 3) sim.link.StopRequested = true;  // after the first step
  };
  sim.prompts.answers = {false};
  OutlineJob(bench.parts()).OutlineSelected(bench.figureAt(2, 2));
  EXPECT_EQ(fresh(), (Commands{"1,1,0,2000", "0,0,1,1000", "1", "0,0,-1", "0,0,1", "0,1", "-1",
                               "0,-1", "0,0,-1,2000"}));
  ASSERT_EQ(sim.prompts.questions.size(), 1u);
  EXPECT_EQ(sim.prompts.questions[0].text,
            "Гравировка остановлена. Остановить?\r\nДа - остановить. Нет - продолжить.");

  moves = 0;
  sim.prompts.answers = {true};
  EXPECT_THROW(OutlineJob(bench.parts()).OutlineSelected(bench.figureAt(2, 2)), link::LinkAbort);
  EXPECT_EQ(fresh(), (Commands{"1,1,0,2000", "0,0,1,1000", "1", "0,0,-1"}))
      << "\"Да\" ends with the laser off";
}

// Run ahead (SM_optim 1) with a travel that sends nothing: the head stands on the pixel (1, 1)
// already and the travel delay is 0, so no reply is owed for the travel and the job's extra
// wait must not wait for one. The pixel in the last row has no start; the corner pixel's two
// contours (the light area below it counts as its hole) both start on it.
TEST_F(OutlineCommandsTest, RunAheadWithATravelThatSendsNothingEnds) {
  QObject context;
  vexa::test::HangUpIfStillWaiting(sim.sim, &context);
  bench.settings.SM_delay = 0;
  bench.settings.SM_optim = 1;
  bench.load(Drawn({"#....", ".....", ".....", "....#"}));
  OutlineJob(bench.parts()).OutlineAll();
  EXPECT_EQ(fresh(), (Commands{"0,0,1,1000", "0,0,-1", "0,0,1,1000", "0,0,-1"}));
  EXPECT_TRUE(sim.prompts.messages.empty());
}

// Run ahead on a slow board, "Нет" answered at once: the question waits until the machine has
// done every command sent, so the laser switches without ";" stay apart and no reply goes
// missing.
TEST(OutlineStopRunningAhead, TheQuestionWaitsUntilTheMachineIsStill) {
  vexa::test::SimLink sim({"--tag", "OT", "--delay", "10"});
  test::OutlineBench bench{sim.link};
  QObject context;
  vexa::test::HangUpIfStillWaiting(sim.sim, &context);
  bench.settings.SM_optim = 1;
  bench.load(Drawn({"....", ".##.", ".##.", "...."}));
  int moves = 0;
  bench.afterMove = [&] {
    if (++moves == 3) sim.link.StopRequested = true;  // after the first step
  };
  std::int64_t owedAtQuestion = -1;
  sim.prompts.whenAsked = [&] { owedAtQuestion = sim.link.owed(bench.moves.record.replyBuffer); };
  sim.prompts.answers = {false};
  OutlineJob(bench.parts()).OutlineSelected(bench.figureAt(2, 2));
  EXPECT_EQ(owedAtQuestion, 0);
  const Commands all = vexa::test::CommandsSoFar(sim.link, sim.sim, "OT");
  EXPECT_EQ(all, (Commands{"1,1,0,2000", "0,0,1,1000", "1", "0,0,-1", "0,0,1", "0,1", "-1", "0,-1",
                           "0,0,-1,2000"}));
  EXPECT_TRUE(sim.prompts.messages.empty());
}

TEST_F(OutlineCommandsTest, FillOutlinesConcentricCirclesOneSpotApartOutermostFirst) {
  picture::PixelBuffer disc(61, 61);
  for (int y = 1; y <= 61; ++y) {
    for (int x = 1; x <= 61; ++x) {
      if ((x - 31) * (x - 31) + (y - 31) * (y - 31) <= 20 * 20) disc.setGray(x, y, 0);
    }
  }
  bench.load(disc);
  bench.spotDiameter = 4;
  bench.back = true;
  FillAll(bench.fillParts());
  const Commands commands = fresh();
  // Each cycle's contour starts at the disc's top pixel: the edge lines take the rim (rows 11
  // and 12 at the top, where the row below the top pixel touches white diagonally), then every
  // offset four pixels.
  std::vector<int> startRows;
  int y = 1, on = 0, off = 0;
  long long x = 0, netY = 0;
  for (const std::string& command : commands) {
    int dx = 0, dy = 0, laser = 0, delay = 0;
    std::sscanf(command.c_str(), "%d,%d,%d,%d", &dx, &dy, &laser, &delay);
    y += dy;
    x += dx;
    netY += dy;
    if (command == "0,0,1,1000") {
      ++on;
      startRows.push_back(y);
    }
    if (command == "0,0,-1,2000") ++off;
  }
  EXPECT_EQ(startRows, (std::vector<int>{13, 17, 21, 25, 29}));
  EXPECT_EQ(on, off);
  EXPECT_EQ(x, 0) << "returned to the start";
  EXPECT_EQ(netY, 0);
  EXPECT_TRUE(bench.figures.tree.empty());
  EXPECT_TRUE(sim.prompts.messages.empty());
  EXPECT_FALSE(bench.state.fillMode);

  // "Все" afterwards stands alone: it clears a pending stop and makes its return move.
  sim.link.StopRequested = true;
  bench.load(Drawn({"....", ".##.", "...."}));
  OutlineJob(bench.parts()).OutlineAll();
  const Commands all = fresh();
  EXPECT_TRUE(sim.prompts.questions.empty());
  ASSERT_FALSE(all.empty());
  EXPECT_EQ(all.back(), "-1,-1");
}

TEST_F(OutlineCommandsTest, AFillTheOffsetCannotShrinkEndsWithAMessage) {
  picture::PixelBuffer band(30, 30);
  for (int y = 1; y <= 29; ++y) band.setGray(1, y, 0);  // against the left edge
  bench.load(band);
  bench.spotDiameter = 3;
  FillAll(bench.fillParts());
  ASSERT_EQ(sim.prompts.messages.size(), 1u);
  EXPECT_EQ(sim.prompts.messages[0].text, kFillStuckText);
  EXPECT_FALSE(bench.state.fillMode);
}

}  // namespace
}  // namespace vexa::outline
