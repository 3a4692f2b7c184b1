#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>

#include "emulator/emulator_clock.h"

namespace vexa::emulator {

// Answers waiting for their time. Like a real controller that finishes one move before the
// next, each answer is due `delay` (plus the command's own `work`, see MovePace) after its
// command arrived or after the previous answer, whichever is later; with neither an answer is
// due at once.
class AnswerQueue {
 public:
  explicit AnswerQueue(std::chrono::milliseconds delay) : delay_(delay) {}

  void push(std::string answer, EmulatorTime received,
            std::chrono::microseconds work = std::chrono::microseconds(0));

  std::optional<EmulatorTime> nextDue() const;

  // Moves the oldest answer into `answer` if it is due by `now`.
  bool popDue(EmulatorTime now, std::string& answer);

 private:
  struct Pending {
    EmulatorTime due;
    std::string answer;
  };

  std::chrono::milliseconds delay_;
  std::deque<Pending> pending_;
  EmulatorTime lastDue_{};
};

}  // namespace vexa::emulator
