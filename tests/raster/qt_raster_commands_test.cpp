// Exact command sequences of the laser and wood-burning runs, through the real serial backend
// to vexa-sim.

#include <gtest/gtest.h>

#include "picture/picture_samples.h"
#include "raster/raster_job.h"
#include "support/sim_link.h"
#include "support/sim_sync.h"
#include "wood/wood_job.h"  // WoodRunRules

namespace vexa::raster {
namespace {

using picture::PixelBuffer;
using picture::test::GrayPicture;
using Commands = std::vector<std::string>;

// A picture W pixels wide engraved W x 0,125 mm wide: 25 steps per pixel at 0.005 mm per step.
class RasterCommandsTest : public ::testing::Test {
 protected:
  explicit RasterCommandsTest(const char* tag = "PT") : sim({"--tag", tag}), tag_(tag) {}

  Commands engrave(const PixelBuffer& picture, RunRules rules = LaserRunRules()) {
    bitmap = picture;
    RunParts parts{
        sim.link,
        moves,
        sim.machine,
        bitmap,
        {},
        {},
        RunBoxes{[this] { return send; }, {}, [this] { return back; }, [this] { return twice; }},
        RunNumbers{4000, 0, picture.width() * 0.125, picture.height() * 0.125},
        rules,
        std::nullopt};
    // The wood window's scale reaches the travel delay at white (WoodJob does the same).
    if (rules.setup == RunRules::Setup::Wood) parts.numbers.whiteDwell = sim.machine.SM_delay;
    EXPECT_TRUE(RasterRun(std::move(parts)).run());
    // Only this run's commands: the log also holds earlier runs and their "V".
    const Commands all = vexa::test::CommandsSoFar(sim.link, sim.sim, tag_);
    const Commands fresh(all.begin() + static_cast<long>(seen_), all.end());
    seen_ = all.size() + 1;
    return fresh;
  }

  vexa::test::SimLink sim;
  std::string tag_;
  std::size_t seen_ = 0;
  bool send = true, back = false, twice = false;
  PixelBuffer bitmap;
  link::RasterMoves moves{link::MotionContext(sim.link, sim.machine, [this] { return send; }),
                          [this] {
                            return link::PlaneScale{bitmap.width() * 0.125, bitmap.width()};
                          }};
};

TEST_F(RasterCommandsTest, SingleBlackPixelInTheCorner) {
  EXPECT_EQ(engrave(GrayPicture({{0, 255, 255}, {255, 255, 255}})),
            (Commands{",,,25,2000", "25,0,0", "25,0,4000", "0,25,0"}));
}

TEST_F(RasterCommandsTest, AdjacentDarkPixelsGetNoTravelBetweenThem) {
  EXPECT_EQ(engrave(GrayPicture({{255, 0, 0, 255}})),
            (Commands{",,,25,2000", "50,0,0", "25,0,4000", "25,0,4000", "0,25,0"}));
}

TEST_F(RasterCommandsTest, BackwardRowStartsUnderThePreviousRowsLastColumnWithoutTravel) {
  EXPECT_EQ(engrave(GrayPicture({{255, 255, 0}, {255, 255, 0}})),
            (Commands{",,,25,2000", "75,0,0", "25,0,4000", "0,25,0", "-25,0,4000"}));
}

TEST_F(RasterCommandsTest, RowMovesWithAndWithoutTheDoublePass) {
  auto rowMoves = [this](int height) {
    int count = 0;
    for (const std::string& command : engrave(PixelBuffer(2, height))) {
      count += command == "0,25,0" ? 1 : 0;
    }
    return count;
  };
  EXPECT_EQ(rowMoves(3), 3) << "odd: the last forward row is followed by one";
  EXPECT_EQ(rowMoves(4), 3);
  twice = true;
  EXPECT_EQ(rowMoves(3), 2);
  EXPECT_EQ(rowMoves(4), 3);
}

TEST_F(RasterCommandsTest, DoublePassBurnsEveryDarkPixelBothWays) {
  twice = true;
  EXPECT_EQ(engrave(GrayPicture({{0, 255}, {255, 0}})),
            (Commands{",,,25,2000", "25,0,0", "25,0,4000", "-25,0,4000", "0,25,0", "25,0,0",
                      "25,0,4000", "-25,0,4000"}));
}

TEST_F(RasterCommandsTest, UntickedRunSendsOnlyTheSetup) {
  send = false;
  EXPECT_EQ(engrave(GrayPicture({{0, 0}, {0, 0}})), (Commands{",,,25,2000"}));
}

TEST_F(RasterCommandsTest, ReturnMoveGoesBackOverTheRowMoves) {
  back = true;
  EXPECT_EQ(engrave(GrayPicture({{255, 0, 255}, {255, 255, 255}, {0, 255, 255}})),
            (Commands{",,,25,2000", "50,0,0", "25,0,4000", "0,25,0", "0,25,0", "-50,0,0",
                      "25,0,4000", "0,25,0", "-25,-75,0"}));
}

class WoodCommandsTest : public RasterCommandsTest {
 protected:
  WoodCommandsTest() : RasterCommandsTest("BT") {}
};

TEST_F(WoodCommandsTest, SetupCarriesTheTravelDelayAndEveryRowIsFollowedByARowMove) {
  back = true;
  EXPECT_EQ(
      engrave(GrayPicture({{0, 255}, {255, 255}}), wood::WoodRunRules()),
      (Commands{",,2000", "25,0,2000", "25,0,4000", "0,25,2000", "0,25,2000", "-25,-50,2000"}));
}

TEST_F(WoodCommandsTest, AllWhitePictureSendsTheSetupAndHRowMoves) {
  EXPECT_EQ(engrave(PixelBuffer(3, 3), wood::WoodRunRules()),
            (Commands{",,2000", "0,25,2000", "0,25,2000", "0,25,2000"}));
}

TEST_F(WoodCommandsTest, UntickedStillSendsTheSetup) {
  send = false;
  EXPECT_EQ(engrave(GrayPicture({{0}}), wood::WoodRunRules()), (Commands{",,2000"}));
}

}  // namespace
}  // namespace vexa::raster
