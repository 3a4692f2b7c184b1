#pragma once
// The automation hook: when the environment variable VEXA_AUTOMATION names a script file
// (automation_script.h), the application shows no message boxes (they go to standard output,
// scripted_prompts.h) and carries out the script's steps once its main window is shown. A
// script that cannot be read, or a step that names a window, entry or control that is not there
// or is switched off, is reported on standard error and ends the program with status 2.

#include <memory>
#include <vector>

#include "app/automation_script.h"
#include "app/scripted_prompts.h"

namespace vexa::app {

class MainWindow;

inline constexpr const char* kAutomationVariable = "VEXA_AUTOMATION";

class Automation {
 public:
  // `scriptPath`: the variable's value; null or empty leaves the application to its user.
  Automation(const char* scriptPath, link::Prompts& interactive);
  ~Automation();

  bool active() const { return active_; }
  // The prompts the application uses: the script's when automated, `interactive` otherwise.
  link::Prompts& prompts();
  // Starts the script from the event loop.
  void start(MainWindow& window);

 private:
  void runSteps(MainWindow& window);
  bool runStep(MainWindow& window, const AutomationStep& step);

  bool active_ = false;
  link::Prompts& interactive_;
  std::unique_ptr<ScriptedPrompts> scripted_;
  std::vector<AutomationStep> steps_;
  std::string problem_;
};

}  // namespace vexa::app
