#include "app/update_schedule.h"

#include <array>
#include <cstdio>

namespace vexa::app {

namespace {

// Minimum whole days since the last check, by check_ver; 4 ("никогда") has none.
constexpr std::array<int, 4> kMinimumDays = {0, 1, 7, 31};

constexpr std::array<const char*, 5> kFrequencyEntries = {"каждый запуск", "раз в сутки",
                                                          "раз в неделю", "раз в месяц", "никогда"};

bool isLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month) {
  static constexpr std::array<int, 12> kDays = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && isLeapYear(year) ? 29 : kDays[static_cast<std::size_t>(month - 1)];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
long long dayNumber(const CalendarDate& date) {
  const long long y = date.month <= 2 ? date.year - 1 : date.year;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yearOfEra = y - era * 400;
  const long long monthFromMarch = (date.month + 9) % 12;
  const long long dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
  const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

std::optional<int> digitsAt(std::string_view text, std::size_t first, std::size_t count) {
  int value = 0;
  for (std::size_t i = first; i < first + count; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

std::optional<CalendarDate> ParseCheckDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  const auto year = digitsAt(text, 0, 4);
  const auto month = digitsAt(text, 5, 2);
  const auto day = digitsAt(text, 8, 2);
  if (!year || !month || !day || *month < 1 || *month > 12) return std::nullopt;
  if (*day < 1 || *day > daysInMonth(*year, *month)) return std::nullopt;
  return CalendarDate{*year, *month, *day};
}

std::string FormatCheckDate(const CalendarDate& date) {
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
  return text;
}

long long DaysBetween(const CalendarDate& from, const CalendarDate& to) {
  return dayNumber(to) - dayNumber(from);
}

std::span<const char* const> CheckFrequencyEntries() {
  return kFrequencyEntries;
}

bool UpdateCheckDue(int check_ver, std::string_view check_prev, const CalendarDate& today) {
  // A hand-edited frequency outside the list means no automatic check.
  if (check_ver < 0 || check_ver >= static_cast<int>(kMinimumDays.size())) return false;
  const std::optional<CalendarDate> previous = ParseCheckDate(check_prev);
  // Not a date: as if long ago. A date after today (the clock was wrong once) would otherwise
  // hold the checks back until that day comes.
  if (!previous) return true;
  const long long days = DaysBetween(*previous, today);
  if (days < 0) return true;
  return days >= kMinimumDays[static_cast<std::size_t>(check_ver)];
}

std::optional<std::string> ScheduleUpdateCheck(const settings::SettingsFile& file, int check_ver,
                                               std::string_view check_prev,
                                               const CalendarDate& today) {
  if (!UpdateCheckDue(check_ver, check_prev, today)) return std::nullopt;
  std::string recorded = FormatCheckDate(today);
  file.WriteSetting("check_prev", recorded);
  return recorded;
}

}  // namespace vexa::app
