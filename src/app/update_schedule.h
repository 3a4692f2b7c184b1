#pragma once
// When the main window asks the update server: the frequency chosen in the About window
// (check_ver) against the date of the last scheduled check (check_prev).

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "settings/settings.h"

namespace vexa::app {

struct CalendarDate {
  int year = 1973;
  int month = 1;
  int day = 1;
  friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// "yyyy-mm-dd" naming a real day; anything else gives nullopt.
std::optional<CalendarDate> ParseCheckDate(std::string_view text);
std::string FormatCheckDate(const CalendarDate& date);
// Calendar-day boundaries from `from` to `to`; negative when `from` is the later day.
long long DaysBetween(const CalendarDate& from, const CalendarDate& to);

// The entries of the frequency list, in check_ver order.
std::span<const char* const> CheckFrequencyEntries();

// True when a start-up on `today` must ask the server.
bool UpdateCheckDue(int check_ver, std::string_view check_prev, const CalendarDate& today);

// Start-up scheduling: when a check is due, records `today` as check_prev in the file (at
// scheduling, whether or not the check later succeeds) and returns the recorded text.
std::optional<std::string> ScheduleUpdateCheck(const settings::SettingsFile& file, int check_ver,
                                               std::string_view check_prev,
                                               const CalendarDate& today);

}  // namespace vexa::app
