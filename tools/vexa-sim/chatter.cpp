#include "chatter.h"

#include <algorithm>
#include <cstdio>

namespace vexa::sim {

namespace {
// One burst at most: a stalled loop must not make a huge one.
constexpr long long kMaxBurst = 64 * 1024;
}  // namespace

Chatter::Chatter(long long bytesPerSecond, emulator::EmulatorTime start)
    : bytesPerSecond_(bytesPerSecond), start_(start) {}

std::string Chatter::due(emulator::EmulatorTime now) {
  if (!active()) return {};
  const auto elapsed = std::chrono::duration_cast<std::chrono::microseconds>(now - start_);
  const long long owed = elapsed.count() * bytesPerSecond_ / 1'000'000 - produced_;
  const long long count = std::clamp(owed, 0LL, kMaxBurst);
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(count));
  while (static_cast<long long>(bytes.size()) < count) {
    if (linePos_ == line_.size()) {
      char text[32];
      std::snprintf(text, sizeof text, "A0=%04lld\r\n", lineNumber_++ % 10000);
      line_ = text;
      linePos_ = 0;
    }
    bytes.push_back(line_[linePos_++]);
  }
  // Time that could not be made up is skipped rather than sent later in one go.
  produced_ += std::max(owed, 0LL);
  return bytes;
}

}  // namespace vexa::sim
