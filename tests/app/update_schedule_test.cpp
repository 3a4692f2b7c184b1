// When a start-up asks the update server, and what it records.

#include "app/update_schedule.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace vexa::app {
namespace {

constexpr CalendarDate kToday{2024, 3, 1};

TEST(CheckDate, OnlyRealDaysInTheStoredForm) {
  EXPECT_EQ(ParseCheckDate("1973-01-01"), (CalendarDate{1973, 1, 1}));
  EXPECT_EQ(ParseCheckDate("2024-02-29"), (CalendarDate{2024, 2, 29}));
  for (const char* text : {"2023-02-29", "2024-13-01", "2024-04-31", "2024-00-10", "2024-1-01",
                           "24-01-01", "2024/01/01", "0", "", " 2024-01-01", "2024-01-01x"}) {
    EXPECT_FALSE(ParseCheckDate(text)) << text;
  }
  EXPECT_EQ(FormatCheckDate({2024, 3, 1}), "2024-03-01");
  EXPECT_EQ(FormatCheckDate({987, 12, 9}), "0987-12-09");
}

TEST(CheckDate, DaysCountCalendarBoundaries) {
  EXPECT_EQ(DaysBetween({2023, 12, 31}, {2024, 1, 1}), 1);
  EXPECT_EQ(DaysBetween({2024, 2, 28}, {2024, 3, 1}), 2);  // leap year
  EXPECT_EQ(DaysBetween({2023, 2, 28}, {2023, 3, 1}), 1);
  EXPECT_EQ(DaysBetween({2024, 3, 1}, {2024, 3, 1}), 0);
  EXPECT_EQ(DaysBetween({2024, 3, 2}, {2024, 3, 1}), -1);
  EXPECT_EQ(DaysBetween({1973, 1, 1}, {2024, 3, 1}), 18687);
}

struct DueCase {
  int check_ver;
  const char* check_prev;
  bool due;
};

class UpdateCheckDueTest : public testing::TestWithParam<DueCase> {};

TEST_P(UpdateCheckDueTest, FollowsTheFrequencyTable) {
  const DueCase c = GetParam();
  EXPECT_EQ(UpdateCheckDue(c.check_ver, c.check_prev, kToday), c.due)
      << "check_ver " << c.check_ver << ", check_prev " << c.check_prev;
}

INSTANTIATE_TEST_SUITE_P(
    EveryStartDailyAndNever, UpdateCheckDueTest,
    testing::Values(DueCase{0, "2024-03-01", true}, DueCase{0, "2024-02-29", true},
                    DueCase{0, "not a date", true}, DueCase{1, "2024-03-01", false},
                    DueCase{1, "2024-02-29", true}, DueCase{1, "not a date", true},
                    DueCase{4, "2024-03-01", false}, DueCase{4, "2024-02-29", false},
                    DueCase{4, "not a date", false}));

INSTANTIATE_TEST_SUITE_P(WeeklyAndMonthly, UpdateCheckDueTest,
                         testing::Values(DueCase{2, "2024-02-24", false},
                                         DueCase{2, "2024-02-23", true},
                                         DueCase{3, "2024-01-31", false},
                                         DueCase{3, "2024-01-30", true},
                                         DueCase{1, "1973-01-01", true}, DueCase{1, "0", true}));

INSTANTIATE_TEST_SUITE_P(
    HandEditedValues, UpdateCheckDueTest,
    testing::Values(DueCase{-1, "1973-01-01", false}, DueCase{5, "1973-01-01", false},
                    DueCase{99, "not a date", false},
                    // A date still to come must not hold the checks back until that day.
                    DueCase{3, "2099-01-01", true}, DueCase{0, "2024-03-02", true}));

TEST(ScheduleUpdateCheck, RecordsTodayWhenDueAndNothingOtherwise) {
  test::TempFolder folder;
  const settings::SettingsFile file(folder / "cnc.ini");
  file.WriteSetting("check_ver", "1");
  file.WriteSetting("check_prev", "2024-02-29");

  const auto recorded = ScheduleUpdateCheck(file, 1, "2024-02-29", kToday);
  ASSERT_TRUE(recorded);
  EXPECT_EQ(*recorded, "2024-03-01");
  EXPECT_EQ(file.ReadSetting("check_prev", "0"), "2024-03-01");

  // Started again the same day: no check.
  EXPECT_FALSE(ScheduleUpdateCheck(file, 1, file.ReadSetting("check_prev", "0"), kToday));
}

TEST(ScheduleUpdateCheck, NeverLeavesTheFileAlone) {
  test::TempFolder folder;
  const settings::SettingsFile file(folder / "cnc.ini");
  EXPECT_FALSE(ScheduleUpdateCheck(file, 4, "1973-01-01", kToday));
  EXPECT_FALSE(std::filesystem::exists(folder / "cnc.ini"));
}

TEST(CheckFrequencyEntries, FiveInIndexOrder) {
  const auto entries = CheckFrequencyEntries();
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_STREQ(entries[0], "каждый запуск");
  EXPECT_STREQ(entries[1], "раз в сутки");
  EXPECT_STREQ(entries[2], "раз в неделю");
  EXPECT_STREQ(entries[3], "раз в месяц");
  EXPECT_STREQ(entries[4], "никогда");
}

}  // namespace
}  // namespace vexa::app
