#pragma once
// The script of an automated run (the environment variable VEXA_AUTOMATION names its file): one
// step per line, carried out in order once the main window is shown. Blank lines and lines
// starting with "#" are skipped.
//
//   menu NAME              trigger the main menu entry NAME (etching_cl, wood_cl, ...)
//   click FORM/NAME        press the button NAME of the open window FORM
//   check FORM/NAME on|off tick or clear a check box
//   type FORM/NAME TEXT    type TEXT (the rest of the line) over a field's text, key by key,
//                          and leave the field, as a person would (its rules then run)
//   select FORM/NAME KEY   select the node KEY (P12) of the figure tree NAME (tv)
//   answer yes|no          the answer to the next Yes/No question (or pause dialog)
//   choose PATH            the file the next open-file dialog returns
//   wait FORM/NAME         let events through until the control NAME of FORM is enabled (up
//                          to a minute; then the script fails): for what comes from outside,
//                          such as a controller plugged in again
//   close FORM             close the window FORM
//   quit                   close the main window and end the program with status 0

#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace vexa::app {

struct AutomationStep {
  enum class Verb { Menu, Click, Check, Type, Select, Wait, Answer, Choose, Close, Quit };
  Verb verb = Verb::Quit;
  std::string window;  // FORM of click, check, type, select, wait and close
  std::string target;  // NAME of menu, click, check, type, select and wait
  std::string value;   // "on"/"off", the typed text, a node key, "yes"/"no", the chosen path
  int line = 0;
};

// The steps, or the first problem as "line N: ...".
std::variant<std::vector<AutomationStep>, std::string> ParseAutomationScript(std::string_view text);

}  // namespace vexa::app
