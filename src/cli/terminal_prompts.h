#pragma once
// The windows' message boxes on a terminal: messages and notices go to standard error as text.
// Nobody answers questions there: a job asks only when it has been stopped (Ctrl+C), so the stop
// question is answered "stop" and the milling pause dialog lifts the cutter and stops.

#include <functional>
#include <string>

#include "link/prompts.h"

namespace vexa::cli {

class TerminalPrompts final : public link::Prompts {
 public:
  // Set while the job runs, for the pause dialog: lifts the cutter out of the work.
  void setLiftCutter(std::function<void()> lift) { liftCutter_ = std::move(lift); }
  // While set, messages that do not name it already start with it: "picture.jpg: Ошибка
  // открытия файла!" names the file a box would have left to the user's memory.
  void setSubject(std::string subject) { subject_ = std::move(subject); }
  // Called before each message, so a progress line can make room for it.
  void setBeforeMessage(std::function<void()> before) { beforeMessage_ = std::move(before); }

  // Shows `text` and waits for the operator at the terminal: true once Enter is pressed, false
  // on Ctrl+C or when no one can answer (standard input is not a terminal).
  bool waitForOperator(const std::string& text);

  void message(const std::string& caption, const std::string& text) override;
  bool askYesNo(const std::string& caption, const std::string& text) override;
  int PauseDialog() override;
  void showFirmwareNotice(const std::string& text) override;
  std::optional<std::string> chooseFileToOpen(const std::string& title,
                                              const std::vector<link::FileFilter>& filters,
                                              const std::string& initialFolder) override;

 private:
  void print(const std::string& text);

  std::function<void()> liftCutter_;
  std::function<void()> beforeMessage_;
  std::string subject_;
};

// A message box's text on one terminal line: its line breaks become spaces.
std::string OneLine(const std::string& text);

}  // namespace vexa::cli
