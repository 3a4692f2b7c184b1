// The texts vexa-cli puts on the terminal: message boxes on one line, the progress line, and
// the refusal of a size given that is no number.

#include <gtest/gtest.h>

#include "cli/job_options.h"
#include "cli/terminal_progress.h"
#include "cli/terminal_prompts.h"

namespace vexa::cli {
namespace {

TEST(TerminalText, BoxesBecomeOneLine) {
  const std::pair<std::string, std::string> cases[] = {
      {"Гравировка закончена!\r\nПродолжительность: 00:00:05",
       "Гравировка закончена! Продолжительность: 00:00:05"},
      {"Возможные причины:\r\n    - прошивка\r\n", "Возможные причины: - прошивка"},
      {"", ""},
  };
  for (const auto& [box, line] : cases) EXPECT_EQ(OneLine(box), line) << box;
}

TEST(TerminalText, ProgressLineShowsPercentCommandsAndTimeLeft) {
  EXPECT_EQ(ProgressLine({0.4251, 754}, 315000, 750000),
            " 42 %  315 000 / 750 000 команд  осталось ~00:12:34");
  EXPECT_EQ(ProgressLine({1.0, 0}, 12, 12), "100 %  12 / 12 команд  осталось ~00:00:00");
}

TEST(TerminalText, SizesThatAreNoPositiveNumberAreRefusedByName) {
  EXPECT_EQ(PositiveFieldProblem("width", std::string("abc")), "--width abc: нужно число больше 0");
  EXPECT_EQ(PositiveFieldProblem("width", std::string("0")), "--width 0: нужно число больше 0");
  EXPECT_EQ(PositiveFieldProblem("diameter", std::string("0,3")), std::nullopt);
  EXPECT_EQ(PositiveFieldProblem("diameter", std::nullopt), std::nullopt);
}

}  // namespace
}  // namespace vexa::cli
