#pragma once

#include <chrono>
#include <string>

namespace vexa::sim {

// The emulator's end of the serial line. The application opens slavePath() as its port; we talk
// through the master. We keep our own slave descriptor open for the whole run (never reading
// from it), so the master sees no hang-up when the application closes the port, and the
// application can reconnect as often as it likes.
class PseudoTerminal {
 public:
  // Throws std::runtime_error when the system refuses a pseudo-terminal.
  PseudoTerminal();
  ~PseudoTerminal();
  PseudoTerminal(const PseudoTerminal&) = delete;
  PseudoTerminal& operator=(const PseudoTerminal&) = delete;

  // Non-blocking.
  int masterFd() const { return masterFd_; }
  const std::string& slavePath() const { return slavePath_; }

  // Waits, up to `limit`, until the application has read what was sent to it (a hang-up drops
  // what is still unread).
  void waitUntilRead(std::chrono::milliseconds limit) const;
  // Closes both ends: the application's next read or write on the port fails.
  void hangUp();

 private:
  int masterFd_ = -1;
  int slaveFd_ = -1;
  std::string slavePath_;
};

}  // namespace vexa::sim
