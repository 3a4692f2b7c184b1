#include "stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <string>

namespace vexa::sim {

namespace {

volatile sig_atomic_t stopRequested = 0;
int wakeWriteFd = -1;

void onStopSignal(int) {
  int savedErrno = errno;
  stopRequested = 1;
  if (wakeWriteFd >= 0) {
    [[maybe_unused]] ssize_t written = write(wakeWriteFd, "x", 1);
  }
  errno = savedErrno;
}

void makeNonBlockingCloseOnExec(int fd) {
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
  fcntl(fd, F_SETFD, FD_CLOEXEC);
}

}  // namespace

StopSignals::StopSignals() {
  int fds[2];
  if (pipe(fds) != 0) {
    throw std::runtime_error(std::string("cannot create a pipe: ") + std::strerror(errno));
  }
  readFd_ = fds[0];
  writeFd_ = fds[1];
  makeNonBlockingCloseOnExec(readFd_);
  makeNonBlockingCloseOnExec(writeFd_);
  wakeWriteFd = writeFd_;

  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) sigaction(signalNumber, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);
}

StopSignals::~StopSignals() {
  struct sigaction action {};
  action.sa_handler = SIG_DFL;
  sigemptyset(&action.sa_mask);
  for (int signalNumber : {SIGINT, SIGTERM, SIGHUP}) sigaction(signalNumber, &action, nullptr);
  wakeWriteFd = -1;
  close(readFd_);
  close(writeFd_);
}

bool StopSignals::requested() const {
  return stopRequested != 0;
}

}  // namespace vexa::sim
