#pragma once
// Prompts that keep count of the time their boxes stay open: a job's time left is worked out
// from its pace, and a minute spent over the stop question or the pause dialog is not pace.

#include <cstdint>

#include "link/prompts.h"

namespace vexa::link {

class TimedPrompts final : public Prompts {
 public:
  explicit TimedPrompts(Prompts& inner) : inner_(inner) {}

  // Steady-clock nanoseconds spent in boxes so far (a box still open counts from its opening).
  std::int64_t heldNanos() const;

  void message(const std::string& caption, const std::string& text) override;
  bool askYesNo(const std::string& caption, const std::string& text) override;
  int PauseDialog() override;
  void showFirmwareNotice(const std::string& text) override;
  std::optional<std::string> chooseFileToOpen(const std::string& title,
                                              const std::vector<FileFilter>& filters,
                                              const std::string& initialFolder) override;

 private:
  class Held;

  Prompts& inner_;
  std::int64_t closedNanos_ = 0;  // boxes already closed
  std::int64_t openSince_ = 0;    // the outermost open box's opening
  int open_ = 0;                  // boxes open now (a box may open another)
};

}  // namespace vexa::link
