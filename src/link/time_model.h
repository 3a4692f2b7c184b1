#pragma once
// How long the controller takes over a job's commands, worked out before anything is sent.
//
// Per command, the link's round trip: a latency (measured by the connection check, or a
// default) plus the command's bytes and its one-byte reply at the port speed, ten bits a byte
// (8N1). Per move, the firmware's time for its steps at the command's delay (the caller works
// that out: the raster firmware drives one axis at a time).
//
// With one command in flight (every command awaited before the next goes) a command costs its
// round trip plus its move. With two (a job that runs one command ahead of the controller, as
// the raster runs do through their unawaited setup command), the next command waits in the
// controller while the current one moves: a move at least as long as the round trip hides it,
// and shorter ones share it, so a command costs max(move, (round trip + move) / 2). That is
// the steady pace of start[i + 1] = max(end[i], end[i - 1] + round trip).

#include <cstdint>

namespace vexa::link {

class MachineLink;

// Used until the connection check has measured the link: a USB serial adapter's usual latency.
inline constexpr double kDefaultLatencyMicros = 2000;
inline constexpr int kBitsPerByte = 10;  // start bit, 8 data bits, stop bit

// The link's pace as the connection check found it.
struct LinkPace {
  bool measured = false;
  double roundTripMicros = 0;  // what the check measured, shown as "Отклик"
  // The round trip less its bytes' time on the line: what every command pays besides its bytes.
  double latencyMicros = kDefaultLatencyMicros;
  // Demo mode's controller inside the process: no bytes cross a line, and moves take their
  // time divided by firmwareSpeedup.
  bool onTheLine = true;
  int firmwareSpeedup = 1;
};

// The microseconds `bytes` take on the line at `speed` baud (0 for a speed of 0 or less).
double LineMicros(std::int64_t bytes, int speed);

// From a measured round trip of a command of `commandBytes` answered by `replyBytes`.
LinkPace MeasuredPace(double roundTripMicros, std::int64_t commandBytes, std::int64_t replyBytes,
                      int speed);

enum class InFlight { One, Two };

class TimeModel {
 public:
  TimeModel(const LinkPace& pace, int speed, InFlight inFlight)
      : latencyMicros_(pace.latencyMicros),
        speed_(pace.onTheLine ? speed : 0),
        firmwareSpeedup_(pace.firmwareSpeedup > 1 ? pace.firmwareSpeedup : 1),
        inFlight_(inFlight) {}

  // One command of `bytes` whose move takes `firmwareMicros`, in whole nanoseconds (sums of
  // whole numbers come out the same in any order).
  std::int64_t commandNanos(std::int64_t bytes, std::int64_t firmwareMicros) const;

 private:
  double latencyMicros_;
  int speed_;  // 0: no line
  int firmwareSpeedup_;
  InFlight inFlight_;
};

// A job that awaits every command before sending the next, at `link`'s pace and port speed.
TimeModel AwaitedTimeModel(const MachineLink& link);

}  // namespace vexa::link
