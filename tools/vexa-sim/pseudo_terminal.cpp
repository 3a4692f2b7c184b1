#include "pseudo_terminal.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace vexa::sim {

namespace {

[[noreturn]] void fail(const char* what) {
  throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

}  // namespace

PseudoTerminal::PseudoTerminal() {
  masterFd_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (masterFd_ < 0) fail("cannot open a pseudo-terminal");
  try {
    if (grantpt(masterFd_) != 0) fail("grantpt failed");
    if (unlockpt(masterFd_) != 0) fail("unlockpt failed");
    const char* name = ptsname(masterFd_);
    if (name == nullptr) fail("ptsname failed");
    slavePath_ = name;

    slaveFd_ = open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveFd_ < 0) fail("cannot open the pseudo-terminal slave");
    // Raw from the start: no echo, no line editing, no CR/LF translation of the answers.
    termios settings{};
    if (tcgetattr(slaveFd_, &settings) != 0) fail("tcgetattr failed");
    cfmakeraw(&settings);
    if (tcsetattr(slaveFd_, TCSANOW, &settings) != 0) fail("tcsetattr failed");

    fcntl(masterFd_, F_SETFD, FD_CLOEXEC);
    // A reader that stops reading must not freeze the emulator on a full buffer.
    if (fcntl(masterFd_, F_SETFL, fcntl(masterFd_, F_GETFL) | O_NONBLOCK) != 0) {
      fail("cannot make the master non-blocking");
    }
  } catch (...) {
    hangUp();
    throw;
  }
}

PseudoTerminal::~PseudoTerminal() {
  hangUp();
}

void PseudoTerminal::waitUntilRead(std::chrono::milliseconds limit) const {
  // Written bytes reach the slave's input queue a moment later, so the queue must stay empty
  // for a while before it counts as read.
  constexpr int kQuietChecks = 20;  // about 20 ms
  const auto end = std::chrono::steady_clock::now() + limit;
  int quiet = 0;
  while (quiet < kQuietChecks && std::chrono::steady_clock::now() < end) {
    int unread = 0;
    if (ioctl(slaveFd_, FIONREAD, &unread) != 0) return;
    quiet = unread == 0 ? quiet + 1 : 0;
    usleep(1000);
  }
}

void PseudoTerminal::hangUp() {
  if (masterFd_ >= 0) close(masterFd_);
  if (slaveFd_ >= 0) close(slaveFd_);
  masterFd_ = -1;
  slaveFd_ = -1;
}

}  // namespace vexa::sim
