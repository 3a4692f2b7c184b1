#include "app/scripted_prompts.h"

namespace vexa::app {

std::string EscapeTranscriptField(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\':
        out += "\\\\";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        out += c;
    }
  }
  return out;
}

void ScriptedPrompts::write(std::initializer_list<std::string> fields) {
  bool first = true;
  for (const std::string& field : fields) {
    if (!first) transcript_ << '\t';
    first = false;
    transcript_ << EscapeTranscriptField(field);
  }
  // Flushed at once: whoever reads the transcript may be waiting for this very line.
  transcript_ << std::endl;
}

bool ScriptedPrompts::nextAnswer() {
  if (answers_.empty()) return false;
  const bool yes = answers_.front();
  answers_.pop_front();
  return yes;
}

void ScriptedPrompts::message(const std::string& caption, const std::string& text) {
  write({"message", caption, text});
}

bool ScriptedPrompts::askYesNo(const std::string& caption, const std::string& text) {
  const bool yes = nextAnswer();
  write({"question", caption, text, yes ? "yes" : "no"});
  return yes;
}

int ScriptedPrompts::PauseDialog() {
  const bool resume = nextAnswer();
  write({"pause", resume ? "continue" : "stop"});
  return resume ? 1 : 0;
}

void ScriptedPrompts::showFirmwareNotice(const std::string& text) {
  write({"notice", text});
}

std::optional<std::string> ScriptedPrompts::chooseFileToOpen(const std::string& title,
                                                             const std::vector<link::FileFilter>&,
                                                             const std::string&) {
  std::optional<std::string> chosen;
  if (!files_.empty()) {
    chosen = files_.front();
    files_.pop_front();
  }
  write({"open", title, chosen.value_or("")});
  return chosen;
}

}  // namespace vexa::app
