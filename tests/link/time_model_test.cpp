// The time model of the estimates, the estimate's sums and lookups, and its texts.

#include "link/time_model.h"

#include <gtest/gtest.h>

#include "link/commands.h"
#include "link/job_estimate.h"

namespace vexa::link {
namespace {

TEST(TimeModel, ARoundTripIsTheLatencyAndTheBytesOnTheLine) {
  EXPECT_DOUBLE_EQ(LineMicros(12, 9600), 12 * 10 * 1e6 / 9600);
  EXPECT_EQ(LineMicros(12, 0), 0);
  LinkPace pace;
  pace.latencyMicros = 500;
  // "40,0,4000;" and its "T": 11 bytes at 115200 baud, 954.86 us, plus the latency.
  const TimeModel awaited(pace, 115200, InFlight::One);
  EXPECT_EQ(awaited.commandNanos(10, 0), 1'454'861);
  EXPECT_EQ(awaited.commandNanos(10, 160'000), 161'454'861);
}

TEST(TimeModel, OneCommandAheadHidesTheRoundTripBehindLongerMoves) {
  LinkPace pace;
  pace.latencyMicros = 1000;
  const TimeModel ahead(pace, 0, InFlight::Two);  // speed 0: the bytes cost nothing
  struct Case {
    std::int64_t move, nanos;
  } cases[] = {
      {0, 500'000},          // two commands share one round trip
      {600, 800'000},        // (1000 + 600) / 2
      {1000, 1'000'000},     // the move covers the round trip exactly
      {80'000, 80'000'000},  // a long move: the round trip is hidden
  };
  for (const Case& c : cases) EXPECT_EQ(ahead.commandNanos(5, c.move), c.nanos) << c.move;
}

TEST(TimeModel, AMeasuredRoundTripLeavesTheLatencyBesidesItsBytes) {
  // "0,0,0;" and "T" at 9600 baud take 7291.67 us on the line.
  const LinkPace usb = MeasuredPace(9000, 6, 1, 9600);
  EXPECT_TRUE(usb.measured);
  EXPECT_DOUBLE_EQ(usb.roundTripMicros, 9000);
  EXPECT_NEAR(usb.latencyMicros, 9000 - 7 * 10 * 1e6 / 9600, 1e-9);
  // A pseudo-terminal is faster than its baud rate: no latency below zero.
  EXPECT_EQ(MeasuredPace(80, 6, 1, 9600).latencyMicros, 0);
}

TEST(CommandLength, CountsTheTextWithoutBuildingIt) {
  const std::initializer_list<CommandField> cases[] = {
      {40, 0, 4000}, {-40, 0, 4000}, {{}, {}, {}, 25, 2000}, {{}, {}, 2000},
      {0, 0, 0, 0},  {-2147483648LL, 2147483647, 0},        {}};
  for (const auto& fields : cases) {
    EXPECT_EQ(CommandLength(fields), static_cast<std::int64_t>(CommandText(fields).size()))
        << CommandText(fields);
    EXPECT_EQ(CommandLength(fields, Terminator::None),
              static_cast<std::int64_t>(CommandText(fields, Terminator::None).size()));
  }
  EXPECT_EQ(DecimalLength(0), 1);
  EXPECT_EQ(DecimalLength(-9), 2);
  EXPECT_EQ(DecimalLength(1000), 4);
}

TEST(JobEstimate, SumsItsCommandsAndLooksUpTheTimeOfTheFirstOnes) {
  LinkPace pace;
  pace.latencyMicros = 0;
  JobEstimate estimate(TimeModel(pace, 0, InFlight::One));
  const std::int64_t count = 3 * JobEstimate::kCheckpointEvery + 10;
  for (std::int64_t i = 0; i < count; ++i) {
    // The first checkpoint's commands take 1 ms, all later ones 3 ms.
    const std::int64_t micros = i < JobEstimate::kCheckpointEvery ? 1000 : 3000;
    estimate.add({7, 2, 1, 0, micros});
  }
  EXPECT_EQ(estimate.commands(), count);
  EXPECT_EQ(estimate.stepsX(), 2 * count);
  EXPECT_EQ(estimate.stepsY(), count);
  EXPECT_EQ(estimate.firmwareMicros(), 1024 * 1000 + (count - 1024) * 3000);
  EXPECT_EQ(estimate.nanos(), estimate.firmwareMicros() * 1000);
  EXPECT_EQ(estimate.seconds(), 7);  // 7.198 s
  EXPECT_EQ(estimate.nanosAfter(0), 0);
  EXPECT_EQ(estimate.nanosAfter(1024), 1'024'000'000);
  EXPECT_EQ(estimate.nanosAfter(512), 512'000'000) << "between checkpoints, in proportion";
  EXPECT_EQ(estimate.nanosAfter(2048 + 512), 1'024'000'000 + 1536 * 3'000'000LL);
  EXPECT_EQ(estimate.nanosAfter(count - 5), estimate.nanos() - 5 * 3'000'000LL);
  EXPECT_EQ(estimate.nanosAfter(count + 100), estimate.nanos());
}

TEST(JobEstimateTexts, ShowTheTimeAndTheCommandsTheRussianWay) {
  EXPECT_EQ(ClockText(0), "00:00:00");
  EXPECT_EQ(ClockText(5025), "01:23:45");
  EXPECT_EQ(ClockText(100 * 3600 + 61), "100:01:01");
  EXPECT_EQ(GroupedNumber(750000), "750 000");
  EXPECT_EQ(GroupedNumber(1234567), "1 234 567");
  EXPECT_EQ(GroupedNumber(999), "999");
  EXPECT_EQ(RemainingText(754), "осталось ~00:12:34");
  EXPECT_EQ(NoEstimateText(), "Оценка: —");
  const struct {
    std::int64_t commands;
    const char* text;
  } cases[] = {{1, "Оценка: 00:00:00, 1 команда"},       {2, "Оценка: 00:00:00, 2 команды"},
               {5, "Оценка: 00:00:00, 5 команд"},        {11, "Оценка: 00:00:00, 11 команд"},
               {14, "Оценка: 00:00:00, 14 команд"},      {21, "Оценка: 00:00:00, 21 команда"},
               {104, "Оценка: 00:00:00, 104 команды"},   {112, "Оценка: 00:00:00, 112 команд"},
               {1001, "Оценка: 00:00:00, 1 001 команда"}};
  for (const auto& c : cases) {
    JobEstimate estimate(TimeModel(LinkPace{true, 0, 0}, 0, InFlight::One));
    for (std::int64_t i = 0; i < c.commands; ++i) estimate.add({});
    EXPECT_EQ(EstimateText(estimate), c.text);
  }
}

}  // namespace
}  // namespace vexa::link
