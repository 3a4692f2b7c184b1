// The countdown of "Проверить" in the About window.

#include "app/check_countdown.h"

#include <gtest/gtest.h>

#include <vector>

namespace vexa::app {
namespace {

// A clock that moves on by a second every few readings, and an event pump that counts.
struct Countdown {
  std::int64_t readings = 0;
  std::int64_t secondsAt(std::int64_t start) { return start + readings++ / 3; }
  struct CountingPump : link::EventPump {
    int passes = 0;
    void processPendingEvents() override { ++passes; }
  } pump;
  std::vector<std::string> captions;

  void run(std::int64_t start, const std::function<bool()>& finished) {
    RunCheckCountdown([this, start] { return secondsAt(start); }, pump, finished,
                      [this](const std::string& caption) { captions.push_back(caption); });
  }
};

TEST(CheckCountdown, CountsFiveDownToOneThenRestoresTheCaption) {
  Countdown countdown;
  countdown.run(1000, [] { return false; });
  EXPECT_EQ(countdown.captions,
            (std::vector<std::string>{"Проверка 5", "Проверка 4", "Проверка 3", "Проверка 2",
                                      "Проверка 1", "Проверить"}));
  EXPECT_GT(countdown.pump.passes, 5) << "events are processed while waiting";
}

TEST(CheckCountdown, EndsAsSoonAsTheAnswerIsThere) {
  Countdown countdown;
  int asked = 0;
  countdown.run(0, [&] { return ++asked > 4; });
  EXPECT_EQ(countdown.captions,
            (std::vector<std::string>{"Проверка 5", "Проверка 4", "Проверить"}));
}

TEST(CheckCountdown, AClockSetBackCountsAsNoTimePassed) {
  Countdown countdown;
  std::vector<std::int64_t> times = {100, 98, 99, 100, 101, 102, 103, 104, 105};
  std::size_t next = 0;
  RunCheckCountdown([&] { return times[std::min(next++, times.size() - 1)]; }, countdown.pump,
                    [] { return false; },
                    [&](const std::string& caption) { countdown.captions.push_back(caption); });
  EXPECT_EQ(countdown.captions.front(), "Проверка 5");
  EXPECT_EQ(countdown.captions.back(), "Проверить");
  EXPECT_EQ(countdown.captions.size(), 6u);
}

}  // namespace
}  // namespace vexa::app
