#include "cli/stop_signal.h"

#include <csignal>

namespace vexa::cli {

namespace {

volatile std::sig_atomic_t presses = 0;

extern "C" void onStopSignal(int number) {
  if (presses >= 2) {
    std::signal(number, SIG_DFL);
    std::raise(number);
    return;
  }
  presses = presses + 1;
}

}  // namespace

void InstallStopSignal() {
  std::signal(SIGINT, onStopSignal);
#ifdef SIGTERM
  std::signal(SIGTERM, onStopSignal);
#endif
}

int StopSignals() {
  return presses;
}

}  // namespace vexa::cli
