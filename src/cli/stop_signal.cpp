#include "cli/stop_signal.h"

#include <csignal>

namespace vexa::cli {

namespace {

volatile std::sig_atomic_t signalled = 0;

extern "C" void onStopSignal(int number) {
  if (signalled) {
    std::signal(number, SIG_DFL);
    std::raise(number);
    return;
  }
  signalled = 1;
}

}  // namespace

void InstallStopSignal() {
  std::signal(SIGINT, onStopSignal);
#ifdef SIGTERM
  std::signal(SIGTERM, onStopSignal);
#endif
}

bool StopSignalled() {
  return signalled != 0;
}

}  // namespace vexa::cli
