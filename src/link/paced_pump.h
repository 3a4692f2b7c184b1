#pragma once
// Letting events through at the pace a person notices, not at every step: a job that steps
// without waiting for the controller (a dry run) would otherwise spend most of its time in the
// event loop.

#include <chrono>

#include "link/event_pump.h"

namespace vexa::link {

class PacedPump {
 public:
  explicit PacedPump(EventPump& pump,
                     std::chrono::milliseconds interval = std::chrono::milliseconds(5))
      : pump_(pump), interval_(interval) {}

  // Processes pending events when `interval` has passed since the last time it did.
  void operator()() {
    const auto now = std::chrono::steady_clock::now();
    if (now - last_ < interval_) return;
    last_ = now;
    pump_.processPendingEvents();
  }

 private:
  EventPump& pump_;
  std::chrono::steady_clock::duration interval_;
  std::chrono::steady_clock::time_point last_{};
};

}  // namespace vexa::link
