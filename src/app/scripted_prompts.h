#pragma once
// The prompts of an automated run: nothing appears on the screen. Every message box, question,
// notice and file dialog is written as one line to `transcript` (fields separated by tabs, with
// "\r", "\n", "\t" and "\\" escaped), and questions and file dialogs take the script's answers.

#include <deque>
#include <optional>
#include <ostream>
#include <string>

#include "link/prompts.h"

namespace vexa::app {

class ScriptedPrompts final : public link::Prompts {
 public:
  explicit ScriptedPrompts(std::ostream& transcript) : transcript_(transcript) {}

  void queueAnswer(bool yes) { answers_.push_back(yes); }
  void queueFile(std::string path) { files_.push_back(std::move(path)); }

  // message  CAPTION  TEXT
  void message(const std::string& caption, const std::string& text) override;
  // question  CAPTION  TEXT  yes|no   (no when the script gave no answer)
  bool askYesNo(const std::string& caption, const std::string& text) override;
  // pause  continue|stop   (an answer "yes" continues; stop when the script gave none)
  int PauseDialog() override;
  // notice  TEXT
  void showFirmwareNotice(const std::string& text) override;
  // open  TITLE  PATH   (empty, as cancelled, when the script gave none)
  std::optional<std::string> chooseFileToOpen(const std::string& title,
                                              const std::vector<link::FileFilter>& filters,
                                              const std::string& initialFolder) override;

 private:
  void write(std::initializer_list<std::string> fields);
  bool nextAnswer();

  std::ostream& transcript_;
  std::deque<bool> answers_;
  std::deque<std::string> files_;
};

// One transcript field with "\", CR, LF and tab escaped.
std::string EscapeTranscriptField(const std::string& text);

}  // namespace vexa::app
