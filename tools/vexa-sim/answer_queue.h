#pragma once

#include <chrono>
#include <deque>
#include <optional>
#include <string>

#include "sim_clock.h"

namespace vexa::sim {

// Answers waiting for their time. Like a real controller that finishes one move before the
// next, each answer is due `delay` (plus the command's own `work`, see MovePace) after its
// command arrived or after the previous answer, whichever is later; with neither an answer is
// due at once.
class AnswerQueue {
 public:
  explicit AnswerQueue(std::chrono::milliseconds delay) : delay_(delay) {}

  void push(std::string answer, TimePoint received,
            std::chrono::microseconds work = std::chrono::microseconds(0));

  std::optional<TimePoint> nextDue() const;

  // Moves the oldest answer into `answer` if it is due by `now`.
  bool popDue(TimePoint now, std::string& answer);

 private:
  struct Pending {
    TimePoint due;
    std::string answer;
  };

  std::chrono::milliseconds delay_;
  std::deque<Pending> pending_;
  TimePoint lastDue_{};
};

}  // namespace vexa::sim
