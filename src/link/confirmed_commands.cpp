#include "link/confirmed_commands.h"

namespace vexa::link {

void ConfirmedCommands::begin(const ReplyBuffer& replies) {
  replies_ = &replies;
  // Replies left in the buffer from before are not confirmations of this job's commands.
  arrivedBefore_ = replies.repliesArrived();
  taken_ = 0;
  waiting_.clear();
  next_ = {};
}

std::int64_t ConfirmedCommands::confirmed() const {
  return replies_ ? static_cast<std::int64_t>(replies_->repliesArrived() - arrivedBefore_) : 0;
}

void ConfirmedCommands::dropConfirmed() {
  const std::int64_t all = confirmed();
  while (taken_ < all && !waiting_.empty()) {
    waiting_.pop_front();
    ++taken_;
  }
}

void ConfirmedCommands::sent(std::int64_t index, int place) {
  dropConfirmed();
  waiting_.push_back({index, place});
  if (index != kSetup) next_ = {index + 1, place};
}

ConfirmedCommands::Place ConfirmedCommands::firstUnconfirmed() {
  dropConfirmed();
  for (const Place& command : waiting_) {
    if (command.index != kSetup) return command;
  }
  return next_;
}

}  // namespace vexa::link
