// The connection check's round trip: the command measured for each firmware, the middle of
// several trips, and a probe that gets no answer.

#include "link/link_pace.h"

#include <gtest/gtest.h>

#include "link/fake_serial_port.h"
#include "support/recording_prompts.h"

namespace vexa::link {
namespace {

TEST(LinkPace, EachFirmwareIsMeasuredWithAMoveOfNothing) {
  EXPECT_EQ(PaceProbe("MT"), "0,0,0,0;");
  for (const char* tag : {"PT", "BT", "ST", "OT"}) EXPECT_EQ(PaceProbe(tag), "0,0,0;") << tag;
  EXPECT_EQ(PaceProbe("XT"), "V;") << "an unknown firmware: the version query";
}

struct ClockedLink {
  test::FakeSerialPort port;
  NoEventPump pump;
  test::RecordingPrompts prompts;
  MachineLink link{port, pump, prompts};
  std::int64_t now = 0;
  ClockedLink() { port.opened = true; }
};

TEST(LinkPace, TheMiddleRoundTripCounts) {
  ClockedLink s;
  // Each write and each read of the clock is scripted: the trips take 3, 1, 2, 9 and 2 ms.
  const std::int64_t trips[] = {3, 1, 2, 9, 2};
  int trip = 0;
  bool started = false;
  const SteadyNanos clock = [&] {
    if (!started) {
      started = true;
      return s.now;
    }
    started = false;
    s.now += trips[trip++] * 1'000'000;
    return s.now;
  };
  s.port.replyToEachWrite = "T";
  const auto measured = MeasureRoundTrip(s.link, "PT", 5, clock);
  ASSERT_TRUE(measured);
  EXPECT_DOUBLE_EQ(*measured, 2000);
  EXPECT_EQ(s.port.written, (std::vector<std::string>(5, "0,0,0;")));
}

TEST(LinkPace, AProbeWithoutAnswerEndsTheMeasurementAfterASecond) {
  ClockedLink s;
  const SteadyNanos clock = [&] { return s.now += 300'000'000; };
  EXPECT_FALSE(MeasureRoundTrip(s.link, "MT", 5, clock));
  EXPECT_EQ(s.port.written, std::vector<std::string>{"0,0,0,0;"});
}

TEST(LinkPace, AMeasuredPaceIsKeptForTheEstimates) {
  ClockedLink s;
  s.port.replyToEachWrite = "T";
  s.link.speed = 115200;
  EXPECT_FALSE(s.link.pace.measured);
  ASSERT_TRUE(MeasureLinkPace(s.link, "BT"));
  EXPECT_TRUE(s.link.pace.measured);
  EXPECT_GE(s.link.pace.latencyMicros, 0);
}

TEST(LinkPace, TheRoundTripIsShownInMillisecondsWithTheDecimalComma) {
  EXPECT_EQ(RoundTripText(1234), "Отклик: 1,2 мс");
  EXPECT_EQ(RoundTripText(15960), "Отклик: 16,0 мс");
  EXPECT_EQ(RoundTripText(87), "Отклик: 0,09 мс");
}

}  // namespace
}  // namespace vexa::link
