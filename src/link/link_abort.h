#pragma once

#include <stdexcept>

namespace vexa::link {

// The link abort: unwinds a running job after the user chose to stop or the port failed.
// Readers and step moves throw it; only job entry points catch it, and they end quietly.
class LinkAbort : public std::runtime_error {
 public:
  enum class Cause {
    Stopped,     // the user chose to stop, or the line failed
    Unanswered,  // the user gave up waiting for a reply that did not come; the line is open
  };

  static constexpr int kNumber = 9001;
  explicit LinkAbort(Cause cause = Cause::Stopped)
      : std::runtime_error("link abort 9001"), cause_(cause) {}
  int number() const { return kNumber; }
  Cause cause() const { return cause_; }

 private:
  Cause cause_;
};

}  // namespace vexa::link
