#pragma once

#include <stdexcept>

namespace vexa::link {

// The link abort: unwinds a running job after the user chose to stop or the port failed.
// Readers and step moves throw it; only job entry points catch it, and they end quietly.
class LinkAbort : public std::runtime_error {
 public:
  static constexpr int kNumber = 9001;
  LinkAbort() : std::runtime_error("link abort 9001") {}
  int number() const { return kNumber; }
};

}  // namespace vexa::link
