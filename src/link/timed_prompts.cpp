#include "link/timed_prompts.h"

#include "link/job_progress.h"

namespace vexa::link {

// Counts the outermost box's time: one opened from another adds nothing of its own.
class TimedPrompts::Held {
 public:
  explicit Held(TimedPrompts& prompts) : prompts_(prompts) {
    if (prompts_.open_++ == 0) prompts_.openSince_ = SystemSteadyNanos();
  }
  ~Held() {
    if (--prompts_.open_ == 0) prompts_.closedNanos_ += SystemSteadyNanos() - prompts_.openSince_;
  }
  Held(const Held&) = delete;
  Held& operator=(const Held&) = delete;

 private:
  TimedPrompts& prompts_;
};

std::int64_t TimedPrompts::heldNanos() const {
  return closedNanos_ + (open_ > 0 ? SystemSteadyNanos() - openSince_ : 0);
}

void TimedPrompts::message(const std::string& caption, const std::string& text) {
  Held held(*this);
  inner_.message(caption, text);
}

bool TimedPrompts::askYesNo(const std::string& caption, const std::string& text) {
  Held held(*this);
  return inner_.askYesNo(caption, text);
}

int TimedPrompts::PauseDialog() {
  Held held(*this);
  return inner_.PauseDialog();
}

void TimedPrompts::showFirmwareNotice(const std::string& text) {
  Held held(*this);
  inner_.showFirmwareNotice(text);
}

std::optional<std::string> TimedPrompts::chooseFileToOpen(const std::string& title,
                                                          const std::vector<FileFilter>& filters,
                                                          const std::string& initialFolder) {
  Held held(*this);
  return inner_.chooseFileToOpen(title, filters, initialFolder);
}

}  // namespace vexa::link
