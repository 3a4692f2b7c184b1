#pragma once
// Prompts for tests: records every message and answers questions from a script.

#include <deque>
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

  void message(const std::string& caption, const std::string& text) override {
    messages.push_back({caption, text});
  }
  bool askYesNo(const std::string& caption, const std::string& text) override {
    questions.push_back({caption, text});
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
};

}  // namespace vexa::test
