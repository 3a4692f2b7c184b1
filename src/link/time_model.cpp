#include "link/time_model.h"

#include <algorithm>
#include <cmath>

#include "link/machine_link.h"

namespace vexa::link {

namespace {

constexpr std::int64_t kReplyBytes = 1;  // "T"

}  // namespace

double LineMicros(std::int64_t bytes, int speed) {
  if (speed <= 0) return 0;
  return static_cast<double>(bytes) * kBitsPerByte * 1e6 / speed;
}

LinkPace MeasuredPace(double roundTripMicros, std::int64_t commandBytes, std::int64_t replyBytes,
                      int speed) {
  LinkPace pace;
  pace.measured = true;
  pace.roundTripMicros = roundTripMicros;
  // A pseudo-terminal or a board on native USB carries bytes faster than the baud rate says.
  pace.latencyMicros =
      std::max(0.0, roundTripMicros - LineMicros(commandBytes + replyBytes, speed));
  return pace;
}

std::int64_t TimeModel::commandNanos(std::int64_t bytes, std::int64_t firmwareMicros) const {
  const double roundTrip = latencyMicros_ + LineMicros(bytes + kReplyBytes, speed_);
  // Whole microseconds, as the emulated controller of demo mode takes them.
  const double move = static_cast<double>(firmwareMicros / firmwareSpeedup_);
  const double micros =
      inFlight_ == InFlight::One ? roundTrip + move : std::max(move, (roundTrip + move) / 2);
  return std::llround(micros * 1000);
}

TimeModel AwaitedTimeModel(const MachineLink& link) {
  return TimeModel(link.pace, link.speed, InFlight::One);
}

}  // namespace vexa::link
