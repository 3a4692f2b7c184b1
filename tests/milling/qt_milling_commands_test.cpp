// Exact command texts of the milling jobs, through the real serial backend to vexa-sim.

#include <gtest/gtest.h>

#include "figures/figure_pictures.h"
#include "milling/milling_fixture.h"
#include "picture/picture_samples.h"
#include "support/sim_link.h"
#include "support/sim_sync.h"

namespace vexa::milling {
namespace {

using figures::test::Drawn;
using picture::test::GrayPicture;
using Commands = std::vector<std::string>;

class MillingCommandsTest : public ::testing::Test {
 protected:
  MillingCommandsTest() : sim({"--tag", "MT"}) {}

  // The commands the controller took since the last call.
  Commands fresh() {
    const Commands all = vexa::test::CommandsSoFar(sim.link, sim.sim, "MT");
    const Commands mine(all.begin() + static_cast<long>(seen_), all.end());
    seen_ = all.size() + 1;  // and the "V" of the next look
    return mine;
  }

  vexa::test::SimLink sim;
  test::MillingBench bench{sim.link};
  std::size_t seen_ = 0;
};

// Run ahead (SM_optim 1) with a travel that sends nothing: "Все" after "Выделенная" starts where
// that left the cutter, the travel delay is 0, so no reply is owed for the travel and the extra
// wait at the contour's end must not wait for one.
TEST_F(MillingCommandsTest, RunAheadWithATravelThatSendsNothingEnds) {
  QObject context;
  vexa::test::HangUpIfStillWaiting(sim.sim, &context);
  bench.settings.SM_delay = 0;
  bench.settings.SM_optim = 1;
  const picture::PixelBuffer square = Drawn({"....", ".##.", ".##.", "...."});
  bench.load(square);
  MillingJob(bench.parts()).MillSelected(bench.figureAt(2, 2));
  bench.load(square);
  MillingJob(bench.parts()).MillAll();
  const Commands contour{"0,0,-255,4000", "1,0,0,0", "0,1,0,0", "-1,0,0,0", "0,-1,0,0",
                         "0,0,255,0"};
  Commands expected{"1,1,0,0"};
  expected.insert(expected.end(), contour.begin(), contour.end());
  expected.insert(expected.end(), contour.begin(), contour.end());
  EXPECT_EQ(fresh(), expected);
  EXPECT_TRUE(sim.prompts.messages.empty());
}

// A stop while running ahead: the pause dialog opens once the machine has done every command.
TEST_F(MillingCommandsTest, ThePauseDialogOpensWhenTheMachineIsStill) {
  bench.settings.SM_optim = 1;
  bench.load(Drawn({"....", ".##.", ".##.", "...."}));
  int moves = 0;
  bench.afterMove = [&] {
    if (++moves == 3) sim.link.StopRequested = true;  // after the first step
  };
  std::int64_t owedAtDialog = -1;
  sim.prompts.whenAsked = [&] { owedAtDialog = sim.link.owed(bench.moves.record.replyBuffer); };
  MillingJob(bench.parts()).MillSelected(bench.figureAt(2, 2));
  EXPECT_EQ(sim.prompts.pauseDialogs, 1);
  EXPECT_EQ(owedAtDialog, 0);
  EXPECT_EQ(fresh(), (Commands{"1,1,0,2000", "0,0,-255,4000", "1,0,0,0", "0,1,0,0", "-1,0,0,0",
                               "0,-1,0,0", "0,0,255,2000"}));
}

struct SelectedCase {
  const char* name;
  picture::PixelBuffer picture;
  int x, y;  // a pixel of the figure to mill
  Commands commands;
};

TEST_F(MillingCommandsTest, SelectedFigureContours) {
  const std::vector<SelectedCase> cases = {
      {"2 x 2 square: travel, plunge, four steps, retract",
       Drawn({"....", ".##.", ".##.", "...."}),
       2,
       2,
       {"1,1,0,2000", "0,0,-255,4000", "1,0,0,0", "0,1,0,0", "-1,0,0,0", "0,-1,0,0",
        "0,0,255,2000"}},
      {"falling diagonal: out and back along it",
       Drawn({".....", ".#...", "..#..", "...#.", "....."}),
       2,
       2,
       {"1,1,0,2000", "0,0,-255,4000", "1,1,0,0", "1,1,0,0", "-1,-1,0,0", "-1,-1,0,0",
        "0,0,255,2000"}},
      {"single pixel: no motion between plunge and retract",
       Drawn({"...", ".#.", "..."}),
       2,
       2,
       {"1,1,0,2000", "0,0,-255,4000", "0,0,255,2000"}},
      {"square with a hole: the hole first, leftwards from the pixel above it",
       Drawn({".......", ".#####.", ".#####.", ".##.##.", ".#####.", ".#####.", "......."}),
       2,
       2,
       {"3,2,0,2000",   "0,0,-255,4000", "-1,1,0,0",      "1,1,0,0",  "1,-1,0,0", "-1,-1,0,0",
        "0,0,255,2000", "-2,-1,0,2000",  "0,0,-255,4000", "1,0,0,0",  "1,0,0,0",  "1,0,0,0",
        "1,0,0,0",      "0,1,0,0",       "0,1,0,0",       "0,1,0,0",  "0,1,0,0",  "-1,0,0,0",
        "-1,0,0,0",     "-1,0,0,0",      "-1,0,0,0",      "0,-1,0,0", "0,-1,0,0", "0,-1,0,0",
        "0,-1,0,0",     "0,0,255,2000"}},
      {"gray levels: each step's Z is the change of 255 - gray, the retract the last depth",
       GrayPicture(
           {{255, 255, 255, 255}, {255, 0, 50, 255}, {255, 90, 30, 255}, {255, 255, 255, 255}}),
       2,
       2,
       {"1,1,0,2000", "0,0,-255,4000", "1,0,50,0", "0,1,-20,0", "-1,0,60,0", "0,-1,-90,0",
        "0,0,255,2000"}},
  };
  for (const SelectedCase& c : cases) {
    SCOPED_TRACE(c.name);
    bench.load(c.picture);
    MillingJob(bench.parts()).MillSelected(bench.figureAt(c.x, c.y));
    EXPECT_EQ(fresh(), c.commands);
    EXPECT_EQ(bench.state.jobKind, kNoJob);
  }
}

TEST_F(MillingCommandsTest, ReturnMoveGoesBackToTheFirstPixel) {
  bench.back = true;
  bench.load(Drawn({"....", ".##.", ".##.", "...."}));
  MillingJob(bench.parts()).MillSelected(bench.figureAt(2, 2));
  const Commands commands = fresh();
  ASSERT_FALSE(commands.empty());
  EXPECT_EQ(commands.back(), "-1,-1,0,0");
  EXPECT_EQ(bench.state.toolX, 1);
  EXPECT_EQ(bench.state.toolY, 1);
}

// Two shapes: the left one holds a hole with an island in it (levels 1, 2, 3), the right one is
// plain (level 1). Light figures are never milled.
const std::vector<std::string> kNested = {
    "...........", ".#####..##.", ".#...#..##.", ".#.#.#.....",
    ".#...#.....", ".#####.....", "...........",
};

TEST_F(MillingCommandsTest, AllMillsTheDeepestLevelFirstAndEachFigureOnce) {
  bench.load(Drawn(kNested));
  MillingJob(bench.parts()).MillAll();
  const Commands commands = fresh();
  Commands travels;
  for (const std::string& command : commands) {
    if (command.ends_with(",0,2000") && command != "0,0,255,2000") travels.push_back(command);
  }
  // The island at (4,4) from (1,1); then the left shape, hole first (from (3,2), the pixel above
  // the hole's first pixel) and its outside from (2,2); then the right shape from (9,2).
  EXPECT_EQ(travels, (Commands{"3,3,0,2000", "-1,-2,0,2000", "-1,0,0,2000", "7,0,0,2000"}));
  const auto plunges = std::count(commands.begin(), commands.end(), "0,0,-255,4000");
  EXPECT_EQ(plunges, 4) << "island, hole, outside, right shape";
  for (std::int32_t figure = 1; figure <= bench.figures.table.length(); ++figure) {
    const figures::FigureRecord& record = bench.figures.table[figure];
    if (record.state == figures::kFree) continue;
    EXPECT_EQ(record.state, record.colour == figures::kDark ? figures::kDone : figures::kInUse)
        << figure;
  }

  bench.back = true;
  MillingJob(bench.parts()).MillAll();
  const auto toolX = 9, toolY = 2;  // where the right shape's contour ended
  EXPECT_EQ(fresh(),
            (Commands{std::to_string(1 - toolX) + "," + std::to_string(1 - toolY) + ",0,0"}))
      << "a second \"Все\" mills nothing and only returns";
}

TEST_F(MillingCommandsTest, DryRunSendsNothingButMarksTheCutterPath) {
  bench.send = false;
  bench.diameterMm = 0.01;  // 2 pixels across: radius 1
  bench.load(Drawn({".......", ".......", "..###..", "..###..", "..###..", ".......", "......."}));
  MillingJob(bench.parts()).MillSelected(bench.figureAt(3, 3));
  EXPECT_TRUE(fresh().empty());
  // The boundary pixels with the cross of radius 1 around each: a band one pixel wide each side.
  const std::vector<std::string> marked = {
      ".......", "..xxx..", ".xxxxx.", ".xxxxx.", ".xxxxx.", "..xxx..", ".......",
  };
  for (int y = 1; y <= 7; ++y) {
    for (int x = 1; x <= 7; ++x) {
      const bool red = bench.tool.pixel(x, y)[2] == 255 && bench.tool.pixel(x, y)[0] == 0;
      EXPECT_EQ(red, marked[y - 1][x - 1] == 'x') << x << "," << y;
    }
  }
  EXPECT_EQ(bench.state.toolX, 3);
  EXPECT_EQ(bench.state.toolY, 3);
}

}  // namespace
}  // namespace vexa::milling
