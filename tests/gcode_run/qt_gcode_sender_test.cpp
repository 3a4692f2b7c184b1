// What an "OT" board gets when part of a run is not sent: the board holds the delay of the last
// move it got, so the first move sent after a stretch passed over (going on after a cut link) or
// followed dry (the run box cleared) names its delay whenever the board may hold another.

#include <gtest/gtest.h>

#include "gcode_run/gcode_sender.h"
#include "support/sim_link.h"
#include "support/sim_sync.h"

namespace vexa::gcode_run {
namespace {

// A burn along X whose feed halves in its middle: moves 1 and 2 at 1000 us a step, 3 and 4 at
// 2000 (0,05 mm of 0,01 mm steps at 600 and 300 mm/min); 0 is the laser on, 5 off.
constexpr const char* kBurn =
    "G21 G90\nM4 S800\nG1 X0.05 F600\nG1 X0.1\nG1 X0.15 F300\nG1 X0.2\nM5\nM2\n";

TEST(GcodeSender, TheFirstMoveSentAfterAStretchNotSentNamesItsDelay) {
  const struct {
    const char* name;
    std::int64_t firstSent;          // the commands before it passed over
    std::int64_t dryFrom, dryUntil;  // the run box clear for these commands
    std::vector<std::string> sent;
  } cases[] = {
      {"the whole run", 0, 0, 0, {"0,0,1", "5,0,0,1000", "5", "5,0,0,2000", "5", "0,0,-1"}},
      {"going on at move 3", 3, 0, 0, {"0,0,1", "5,0,0,2000", "5", "0,0,-1"}},
      {"going on at move 4", 4, 0, 0, {"0,0,1", "5,0,0,2000", "0,0,-1"}},
      // Cleared over the change of feed: the board still holds 1000.
      {"dry over moves 2 and 3", 0, 2, 4, {"0,0,1", "5,0,0,1000", "5,0,0,2000", "0,0,-1"}},
      {"dry over move 2", 0, 2, 3, {"0,0,1", "5,0,0,1000", "5,0,0,2000", "5", "0,0,-1"}},
  };
  const gcode::GcodeRead read = gcode::ReadGcodeProgram(kBurn);
  ASSERT_FALSE(read.error);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    vexa::test::SimLink sim({"--tag", "OT"});
    std::int64_t done = 0;  // commands taken so far
    GcodeSender sender({sim.link,
                        read.program,
                        {{0.01, 0.01, 0.01}, 1500, gcode::Firmware::Laser},
                        [&] { return done < c.dryFrom || done >= c.dryUntil; },
                        [] { return false; },
                        [&](const gcode::StepCommand&, const StepPlace&) { ++done; },
                        {}});
    link::JobStream stream = link::JobStream::Running(c.firstSent, nullptr, nullptr);
    ASSERT_TRUE(sender.run(&stream));
    EXPECT_EQ(done, 6);
    EXPECT_EQ(vexa::test::CommandsSoFar(sim.link, sim.sim, "OT"), c.sent);
  }
}

}  // namespace
}  // namespace vexa::gcode_run
