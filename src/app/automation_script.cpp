#include "app/automation_script.h"

#include <map>

namespace vexa::app {

namespace {

using Verb = AutomationStep::Verb;

// The word up to the next space, and the rest of the line after the spaces that follow it.
std::pair<std::string, std::string_view> firstWord(std::string_view text) {
  const auto end = text.find(' ');
  std::string word(text.substr(0, end));
  if (end == std::string_view::npos) return {word, {}};
  text.remove_prefix(end);
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  return {word, text};
}

}  // namespace

std::variant<std::vector<AutomationStep>, std::string> ParseAutomationScript(
    std::string_view text) {
  static const std::map<std::string, Verb> kVerbs = {
      {"menu", Verb::Menu},     {"click", Verb::Click},   {"check", Verb::Check},
      {"type", Verb::Type},     {"select", Verb::Select}, {"answer", Verb::Answer},
      {"choose", Verb::Choose}, {"close", Verb::Close},   {"quit", Verb::Quit},
      {"wait", Verb::Wait}};
  std::vector<AutomationStep> steps;
  int lineNumber = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    if (line.ends_with('\r')) line.remove_suffix(1);
    line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
    if (line.empty() || line.front() == '#') continue;

    auto problem = [&](const std::string& what) {
      return "line " + std::to_string(lineNumber) + ": " + what;
    };
    const auto [verbWord, rest] = firstWord(line);
    const auto verb = kVerbs.find(verbWord);
    if (verb == kVerbs.end()) return problem("unknown step \"" + verbWord + "\"");
    AutomationStep step;
    step.verb = verb->second;
    step.line = lineNumber;
    switch (step.verb) {
      case Verb::Menu:
      case Verb::Close:
        if (rest.empty() || rest.find(' ') != std::string_view::npos) {
          return problem(verbWord + " takes one name");
        }
        (step.verb == Verb::Menu ? step.target : step.window) = std::string(rest);
        break;
      case Verb::Click:
      case Verb::Check:
      case Verb::Type:
      case Verb::Select:
      case Verb::Wait: {
        const auto [path, value] = firstWord(rest);
        const auto slash = path.find('/');
        if (slash == std::string::npos || slash == 0 || slash + 1 == path.size()) {
          return problem(verbWord + " needs FORM/NAME");
        }
        step.window = path.substr(0, slash);
        step.target = path.substr(slash + 1);
        step.value = std::string(value);
        if ((step.verb == Verb::Click || step.verb == Verb::Wait) && !step.value.empty()) {
          return problem(verbWord + " takes no value");
        }
        if (step.verb == Verb::Check && step.value != "on" && step.value != "off") {
          return problem("check needs on or off");
        }
        if (step.verb == Verb::Select && step.value.empty()) return problem("select needs a key");
        break;
      }
      case Verb::Answer:
        if (rest != "yes" && rest != "no") return problem("answer needs yes or no");
        step.value = std::string(rest);
        break;
      case Verb::Choose:
        if (rest.empty()) return problem("choose needs a path");
        step.value = std::string(rest);
        break;
      case Verb::Quit:
        if (!rest.empty()) return problem("quit takes nothing");
        break;
    }
    steps.push_back(std::move(step));
  }
  return steps;
}

}  // namespace vexa::app
