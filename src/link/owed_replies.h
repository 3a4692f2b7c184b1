#pragma once
// The replies a window's reply buffer is owed: every command sent on its behalf adds one, every
// reply taken removes one. MachineLink keeps the count; a wait for "the reply of the move sent
// without waiting" waits only when one is owed.

#include <cstdint>

namespace vexa::link {

class OwedReplies {
 public:
  std::int64_t count() const { return owed_; }
  void owe() { ++owed_; }
  void took() {
    if (owed_ > 0) --owed_;
  }
  // Gives up `count()`: those replies are the link's to swallow now (MachineLink::AbandonOwed).
  std::int64_t handOver() {
    const std::int64_t owed = owed_;
    owed_ = 0;
    return owed;
  }

  // The opening of the link these replies were owed on (MachineLink::openings()): a line
  // opened anew owes nothing of the old one.
  std::uint64_t opening = 0;

 private:
  std::int64_t owed_ = 0;
};

}  // namespace vexa::link
