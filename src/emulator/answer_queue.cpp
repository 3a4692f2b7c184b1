#include "emulator/answer_queue.h"

#include <algorithm>

namespace vexa::emulator {

void AnswerQueue::push(std::string answer, EmulatorTime received, std::chrono::microseconds work) {
  lastDue_ = std::max(received, lastDue_) + delay_ + work;
  pending_.push_back({lastDue_, std::move(answer)});
}

std::optional<EmulatorTime> AnswerQueue::nextDue() const {
  if (pending_.empty()) return std::nullopt;
  return pending_.front().due;
}

bool AnswerQueue::popDue(EmulatorTime now, std::string& answer) {
  if (pending_.empty() || pending_.front().due > now) return false;
  answer = std::move(pending_.front().answer);
  pending_.pop_front();
  return true;
}

}  // namespace vexa::emulator
