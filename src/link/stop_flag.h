#pragma once

#include <cstdint>

namespace vexa::link {

// StopRequested: a plain flag to everything that sets, clears or tests it. It also counts the
// stop requests that come while it is up already (Stop pressed again, the window closed after
// Stop), so a reply wait can tell a user who insists from the first press, which only asks the
// job to stop at its next step move. A close of the window is the user's "stop and go": it
// does not wait for a board that has stopped answering (MachineLink::WaitReply).
class StopFlag {
 public:
  StopFlag& operator=(bool up) {
    if (up && up_) ++repeats_;
    up_ = up;
    if (!up) closing_ = false;
    return *this;
  }
  operator bool() const { return up_; }

  // Raised by closing the window; cleared with the flag.
  void requestClose() {
    *this = true;
    closing_ = true;
  }
  bool closing() const { return closing_; }

  std::uint64_t repeats() const { return repeats_; }

 private:
  bool up_ = false;
  bool closing_ = false;
  std::uint64_t repeats_ = 0;
};

}  // namespace vexa::link
