#include "scanner/probe_reply.h"

#include <algorithm>
#include <limits>

namespace vexa::scanner {

std::int32_t ProbeReading(const std::string& reply) {
  std::string text = link::RemoveCrLf(reply);
  text.resize(text.size() >= 2 ? text.size() - 2 : 0);
  constexpr std::int64_t kLargest = std::numeric_limits<std::int32_t>::max();
  std::int64_t reading = 0;
  for (char c : text) {
    if (c < '0' || c > '9') continue;
    reading = std::min(kLargest, reading * 10 + (c - '0'));
  }
  return static_cast<std::int32_t>(reading);
}

std::int32_t WaitProbeReading(link::MachineLink& link, link::ReplyBuffer& buffer) {
  buffer.clear();
  // The answer is read whole and the buffer is empty again afterwards, so the text can
  // collect beside it.
  std::string reply;
  for (;;) {
    if (link.ReadAvailable(reply, "OK")) break;
    link.pump().processPendingEvents();
    if (link.StopRequested) StopWaitingForReading(link, buffer);
  }
  const std::int32_t reading = ProbeReading(reply);
  buffer.clear();
  buffer.owed.took();
  return reading;
}

void StopWaitingForReading(link::MachineLink& link, link::ReplyBuffer& buffer) {
  // The reading still comes; it belongs to no point of a later scan.
  link.AbandonOwed(buffer);
  throw link::LinkAbort();
}

}  // namespace vexa::scanner
