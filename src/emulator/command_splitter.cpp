#include "emulator/command_splitter.h"

namespace vexa::emulator {

void CommandSplitter::feed(std::string_view bytes, EmulatorTime now,
                           std::vector<std::string>& completed) {
  if (bytes.empty()) return;
  lastByte_ = now;
  for (char byte : bytes) {
    if (byte == ';') {
      completed.push_back(std::move(pending_));
      pending_.clear();
      hasPending_ = false;
    } else if (byte != '\r' && byte != '\n') {
      if (pending_.size() < kMaxLength) pending_ += byte;
      hasPending_ = true;
    }
  }
}

std::optional<EmulatorTime> CommandSplitter::idleDeadline() const {
  if (!hasPending_) return std::nullopt;
  return lastByte_ + kIdleGap;
}

std::optional<std::string> CommandSplitter::takeIdleCommand(EmulatorTime now) {
  if (!hasPending_ || now < lastByte_ + kIdleGap) return std::nullopt;
  std::string command = std::move(pending_);
  pending_.clear();
  hasPending_ = false;
  return command;
}

}  // namespace vexa::emulator
