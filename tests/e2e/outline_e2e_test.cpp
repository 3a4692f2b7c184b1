// Outline engraving through the real executable: the menu opens the outline window on a
// vexa-sim controller with the "OT" firmware, "Разобрать" parses the default ornament, "Все"
// outlines every dark figure with the laser on around each contour and returns to the start.

#include <gtest/gtest.h>

#include "ornament_run.h"

namespace vexa::e2e {
namespace {

TEST(OutlineEndToEnd, OutlinesTheOrnamentWithTheLaserOnAroundEachContour) {
  test::SimProcess sim({"--tag", "OT"});
  const std::vector<std::string> commands = RunOnOrnament(sim, "Etching2_width=30\r\n",
                                                          "menu etching2_cl\n"
                                                          "click Form5/Command3\n"
                                                          "check Form5/Check2 on\n"
                                                          "click Form5/Command2\n"
                                                          "quit\n");
  ASSERT_GT(commands.size(), 1u);
  long long x = 0, y = 0;
  int contours = 0;
  bool laserOn = false;
  for (std::size_t i = 0; i < commands.size(); ++i) {
    const std::string& command = commands[i];
    if (command == "0,0,1,1000") {
      EXPECT_FALSE(laserOn) << "laser on twice before command " << i;
      laserOn = true;
      ++contours;
      continue;
    }
    if (command == "0,0,-1,2000") {
      EXPECT_TRUE(laserOn) << "laser off without on at command " << i;
      laserOn = false;
      continue;
    }
    long long dx = 0, dy = 0;
    std::sscanf(command.c_str(), "%lld,%lld", &dx, &dy);
    x += dx;
    y += dy;
  }
  EXPECT_FALSE(laserOn) << "the laser is off at the end";
  EXPECT_GT(contours, 3);
  EXPECT_LE(std::llabs(x), 1) << "back at the start";
  EXPECT_LE(std::llabs(y), 1);
}

}  // namespace
}  // namespace vexa::e2e
