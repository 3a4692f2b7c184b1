// Exact command texts of "Резать", through the real serial backend to vexa-sim, on drawn
// pictures 0,005 mm per pixel wide at 0,005 mm per step: one step per pixel.

#include <gtest/gtest.h>

#include "cutting/cutting_job.h"
#include "figures/figure_pictures.h"
#include "support/sim_link.h"
#include "support/sim_sync.h"

namespace vexa::cutting {
namespace {

using figures::test::Drawn;
using picture::PixelBuffer;
using Commands = std::vector<std::string>;

class CuttingCommandsTest : public ::testing::Test {
 protected:
  CuttingCommandsTest() : sim({"--tag", "OT"}) {}

  void load(const std::vector<std::string>& drawing) {
    working = Drawn(drawing);
    templatePicture = working;
    laser = working;
  }
  CuttingParts parts() {
    return {moves,
            settings,
            sim.prompts,
            {working, templatePicture, laser},
            1000,
            [this] { return back; },
            [this] { ++redraws; },
            [this] {
              if (stopAtFirstEvents) sim.link.StopRequested = true;
              stopAtFirstEvents = false;
            },
            {},
            [this] {
              if (++moved == stopAfter) sim.link.StopRequested = true;
            }};
  }
  Commands cut() {
    CuttingJob job(parts());
    job.CutByPicture();
    toolX = job.toolX;
    toolY = job.toolY;
    return fresh();
  }
  // The commands the controller took since the last call.
  Commands fresh() {
    const Commands all = vexa::test::CommandsSoFar(sim.link, sim.sim, "OT");
    const Commands mine(all.begin() + static_cast<long>(seen_), all.end());
    seen_ = all.size() + 1;  // and the "V" of the next look
    return mine;
  }

  vexa::test::SimLink sim;
  link::MachineSettings settings;
  bool send = true, back = false, stopAtFirstEvents = false;
  PixelBuffer working, templatePicture, laser;
  int redraws = 0, moved = 0, stopAfter = 0, toolX = 0, toolY = 0;
  link::OutlineMoves moves{link::MotionContext(sim.link, settings, [this] { return send; }),
                           [this] {
                             return link::PlaneScale{laser.width() * 0.005, laser.width()};
                           },
                           link::OutlineMoves::WhenIdle::Sleep};
  std::size_t seen_ = 0;
};

struct CutCase {
  const char* name;
  std::vector<std::string> drawing;
  Commands commands;
};

TEST_F(CuttingCommandsTest, StrokesAreCutNearestFirstOnePixelAtATime) {
  const std::vector<CutCase> cases = {
      {"a line of ten: travel, laser on, nine steps, laser off",
       {"............", "............", ".##########.", "............"},
       {"1,2,0,2000", "0,0,1,1000", "1", "1", "1", "1", "1", "1", "1", "1", "1", "0,0,-1,2000"}},
      {"two lines: the nearer to the top-left first, the second from the first one's end",
       {"..........", ".###......", "..........", "......###.", ".........."},
       {"1,1,0,2000", "0,0,1,1000", "1", "1", "0,0,-1,2000", "3,2,0,2000", "0,0,1,1000", "1", "1",
        "0,0,-1,2000"}},
      {"a T: the bar's left half, then from the stem's foot up and along the right half",
       {"...........", ".#########.", ".....#.....", ".....#.....", ".....#.....", "..........."},
       {"1,1,0,2000", "0,0,1,1000", "1", "1", "1", "1", "0,0,-1,2000", "0,3,0,2000", "0,0,1,1000",
        "0,-1", "0,-1", "1,-1", "1", "1", "1", "0,0,-1,2000"}},
      {"a ring: one stroke, around from the seed",
       {".....", ".###.", ".#.#.", ".###.", "....."},
       {"1,1,0,2000", "0,0,1,1000", "1", "1", "0,1", "0,1", "-1", "-1", "0,-1", "0,0,-1,2000"}},
      {"a hook whose end search crosses its own path: cut from the end the search reaches",
       {"......", "......", ".#.#..", "..##..", ".#....", "......"},
       {"1,2,0,2000", "0,0,1,1000", "1,1", "-1,1", "0,0,-1,2000", "2,-1,0,2000", "0,0,1,1000",
        "0,-1", "0,0,-1,2000"}},
      {"nothing dark: nothing sent", {"....", "....", "...."}, {}},
  };
  for (const CutCase& c : cases) {
    SCOPED_TRACE(c.name);
    load(c.drawing);
    EXPECT_EQ(cut(), c.commands);
    ASSERT_FALSE(sim.prompts.messages.empty());
    EXPECT_EQ(sim.prompts.messages.back().caption, "Ziravev AVE");
    EXPECT_EQ(sim.prompts.messages.back().text, "Готово");
    EXPECT_EQ(laser, working) << "the marks are gone at the end";
    EXPECT_EQ(templatePicture, working);
  }
}

TEST_F(CuttingCommandsTest, RunningAheadWaitsOnceMoreAfterEachStroke) {
  settings.SM_optim = 1;
  load({"..........", ".###......", "..........", "......###.", ".........."});
  EXPECT_EQ(cut(), (Commands{"1,1,0,2000", "0,0,1,1000", "1", "1", "0,0,-1,2000", "3,2,0,2000",
                             "0,0,1,1000", "1", "1", "0,0,-1,2000"}));
  // Every reply was collected: the next exchange starts clean.
  EXPECT_EQ(moves.record.replyBuffer, "");
}

TEST_F(CuttingCommandsTest, ReturnMoveAndDryRun) {
  back = true;
  load({"............", "............", ".##########.", "............"});
  const Commands commands = cut();
  ASSERT_FALSE(commands.empty());
  EXPECT_EQ(commands.back(), "-10,-2") << "from (11, 3) back to (1, 1)";
  EXPECT_EQ(toolX, 1);

  send = false;
  redraws = 0;
  EXPECT_EQ(cut(), Commands{});
  // After the stroke search, the clean views, the cut and the clean views again.
  EXPECT_EQ(redraws, 4);
  EXPECT_EQ(sim.prompts.messages.back().text, "Готово");
}

TEST_F(CuttingCommandsTest, StopSwitchesTheLaserOffAroundTheQuestion) {
  load({"............", "............", ".##########.", "............"});
  stopAfter = 3;  // after the second step of the stroke
  sim.prompts.answers = {false};
  const Commands continued = cut();
  ASSERT_EQ(sim.prompts.questions.size(), 1u);
  EXPECT_EQ(sim.prompts.questions[0].text,
            "Гравировка остановлена. Остановить?\r\nДа - остановить. Нет - продолжить.");
  EXPECT_EQ(std::vector<std::string>(continued.begin() + 3, continued.begin() + 6),
            (Commands{"0,0,-1", "0,0,1", "1"}));
  EXPECT_EQ(continued.size(), 14u);

  moved = 0;
  sim.prompts.answers = {true};
  const std::size_t messages = sim.prompts.messages.size();
  CuttingJob job(parts());
  EXPECT_THROW(job.CutByPicture(), link::LinkAbort);
  EXPECT_EQ(fresh(), (Commands{"1,2,0,2000", "0,0,1,1000", "1", "0,0,-1"}));
  EXPECT_EQ(sim.prompts.messages.size(), messages) << "no \"Готово\"";
  EXPECT_EQ(laser.pixel(3, 3)[2], 255) << "the marks stay";
  EXPECT_NE(laser, working);
}

TEST_F(CuttingCommandsTest, AStopBeforeTheFirstStrokeLeavesTheLaserOff) {
  load({"............", "............", ".##########.", "............"});
  stopAfter = 3;
  sim.prompts.answers = {true};
  CuttingJob stopped(parts());
  EXPECT_THROW(stopped.CutByPicture(), link::LinkAbort);  // in the middle of the stroke
  fresh();

  // The next job is stopped during its stroke search and continued: the travel to the first
  // stroke goes with the laser off, and nothing switches it on before the stroke's own command.
  load({"............", "............", ".##########.", "............"});
  moved = 0;
  stopAfter = 0;
  stopAtFirstEvents = true;
  sim.prompts.answers = {false};
  EXPECT_EQ(cut(), (Commands{"1,2,0,2000", "0,0,1,1000", "1", "1", "1", "1", "1", "1", "1", "1",
                             "1", "0,0,-1,2000"}));
  EXPECT_EQ(sim.prompts.questions.size(), 2u);
}

}  // namespace
}  // namespace vexa::cutting
