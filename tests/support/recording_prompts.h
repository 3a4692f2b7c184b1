#pragma once
// Prompts for tests: records every message and answers questions from a script.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "link/prompts.h"

namespace vexa::test {

struct ShownMessage {
  std::string caption;
  std::string text;
};

class RecordingPrompts : public link::Prompts {
 public:
  std::vector<ShownMessage> messages;
  std::vector<ShownMessage> questions;
  std::deque<bool> answers;  // Yes/No answers in order; No when the script runs out
  std::deque<int> pauseAnswers;  // PauseDialog answers in order; 1 (continue) when run out
  int pauseDialogs = 0;
  std::vector<std::string> firmwareNotices;
  // Files "chosen" in open-file dialogs, in order; nullopt (cancel) when the script runs out.
  std::deque<std::optional<std::string>> chosenFiles;
  std::vector<std::string> fileDialogTitles;
  // Runs as a question or the pause dialog opens, before it is answered.
  std::function<void()> whenAsked;

  void message(const std::string& caption, const std::string& text) override {
    messages.push_back({caption, text});
  }
  bool askYesNo(const std::string& caption, const std::string& text) override {
    questions.push_back({caption, text});
    if (whenAsked) whenAsked();
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  int PauseDialog() override {
    ++pauseDialogs;
    if (whenAsked) whenAsked();
    if (pauseAnswers.empty()) return 1;
    const int answer = pauseAnswers.front();
    pauseAnswers.pop_front();
    return answer;
  }
  void showFirmwareNotice(const std::string& text) override { firmwareNotices.push_back(text); }
  std::optional<std::string> chooseFileToOpen(const std::string& title,
                                              const std::vector<link::FileFilter>&,
                                              const std::string&) override {
    fileDialogTitles.push_back(title);
    if (chosenFiles.empty()) return std::nullopt;
    auto file = chosenFiles.front();
    chosenFiles.pop_front();
    return file;
  }
};

}  // namespace vexa::test
