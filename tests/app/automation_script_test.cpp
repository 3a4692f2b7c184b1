// The automation script: its steps, and the prompts that answer from it.

#include "app/automation_script.h"

#include <gtest/gtest.h>

#include <sstream>

#include "app/scripted_prompts.h"

namespace vexa::app {
namespace {

using Verb = AutomationStep::Verb;

std::vector<AutomationStep> stepsOf(std::string_view text) {
  auto parsed = ParseAutomationScript(text);
  if (auto* problem = std::get_if<std::string>(&parsed)) {
    ADD_FAILURE() << *problem;
    return {};
  }
  return std::get<std::vector<AutomationStep>>(parsed);
}

std::string problemOf(std::string_view text) {
  auto parsed = ParseAutomationScript(text);
  auto* problem = std::get_if<std::string>(&parsed);
  return problem ? *problem : "";
}

TEST(AutomationScript, StepsInOrderWithCommentsBlankLinesAndCrLf) {
  const auto steps = stepsOf(
      "# engrave\r\nmenu etching_cl\r\n\r\n  check Form3/Check4 on\r\n"
      "type Form3/Text6 12,5 mm wide\r\nanswer no\r\nchoose /tmp/a b.png\r\n"
      "click Form3/Command1\r\nclose Form3\r\nquit\r\n");
  ASSERT_EQ(steps.size(), 8u);
  EXPECT_EQ(steps[0].verb, Verb::Menu);
  EXPECT_EQ(steps[0].target, "etching_cl");
  EXPECT_EQ(steps[0].line, 2);
  EXPECT_EQ(steps[1].verb, Verb::Check);
  EXPECT_EQ(steps[1].window, "Form3");
  EXPECT_EQ(steps[1].target, "Check4");
  EXPECT_EQ(steps[1].value, "on");
  EXPECT_EQ(steps[2].value, "12,5 mm wide") << "the rest of the line";
  EXPECT_EQ(steps[3].verb, Verb::Answer);
  EXPECT_EQ(steps[3].value, "no");
  EXPECT_EQ(steps[4].value, "/tmp/a b.png");
  EXPECT_EQ(steps[5].verb, Verb::Click);
  EXPECT_EQ(steps[6].verb, Verb::Close);
  EXPECT_EQ(steps[6].window, "Form3");
  EXPECT_EQ(steps[7].verb, Verb::Quit);
  EXPECT_EQ(steps[7].line, 10);
  const auto select = stepsOf("select Form1/tv P12\n");
  ASSERT_EQ(select.size(), 1u);
  EXPECT_EQ(select[0].verb, Verb::Select);
  EXPECT_EQ(select[0].target, "tv");
  EXPECT_EQ(select[0].value, "P12");
}

TEST(AutomationScript, ProblemsNameTheirLine) {
  EXPECT_EQ(problemOf("menu mill_cl\npress Form1/Command1\n"), "line 2: unknown step \"press\"");
  EXPECT_EQ(problemOf("click Command1"), "line 1: click needs FORM/NAME");
  EXPECT_EQ(problemOf("click Form3/"), "line 1: click needs FORM/NAME");
  EXPECT_EQ(problemOf("check Form3/Check1 yes"), "line 1: check needs on or off");
  EXPECT_EQ(problemOf("answer maybe"), "line 1: answer needs yes or no");
  EXPECT_EQ(problemOf("select Form1/tv"), "line 1: select needs a key");
  EXPECT_EQ(problemOf("menu"), "line 1: menu takes one name");
  EXPECT_EQ(problemOf("quit now"), "line 1: quit takes nothing");
}

TEST(ScriptedPrompts, EveryBoxIsOneEscapedLineAndQuestionsTakeTheScriptsAnswers) {
  std::ostringstream out;
  ScriptedPrompts prompts(out);
  prompts.message("Лазерная гравировка", "Гравировка закончена!\r\nПродолжительность: 00:00:01");
  prompts.queueAnswer(true);
  EXPECT_TRUE(prompts.askYesNo("Внимание", "Остановить?"));
  EXPECT_FALSE(prompts.askYesNo("Внимание", "Снова?")) << "no answer left: No";
  EXPECT_EQ(prompts.PauseDialog(), 0) << "no answer left: stop";
  prompts.queueFile("/tmp/x.png");
  EXPECT_EQ(prompts.chooseFileToOpen("Открыть картинку", {}, "/"), "/tmp/x.png");
  EXPECT_EQ(prompts.chooseFileToOpen("Открыть картинку", {}, "/"), std::nullopt);
  prompts.showFirmwareNotice("a\tb\\c");
  EXPECT_EQ(out.str(),
            "message\tЛазерная гравировка\tГравировка закончена!\\r\\nПродолжительность: "
            "00:00:01\n"
            "question\tВнимание\tОстановить?\tyes\n"
            "question\tВнимание\tСнова?\tno\n"
            "pause\tstop\n"
            "open\tОткрыть картинку\t/tmp/x.png\n"
            "open\tОткрыть картинку\t\n"
            "notice\ta\\tb\\\\c\n");
}

}  // namespace
}  // namespace vexa::app
