#pragma once

namespace vexa::sim {

// Turns SIGINT, SIGTERM and SIGHUP into a readable pipe, so poll() wakes up for them without
// the race of checking a flag before sleeping. Also ignores SIGPIPE: a test that stops reading
// our stderr must not kill the emulator. One instance per process.
class StopSignals {
 public:
  StopSignals();
  ~StopSignals();
  StopSignals(const StopSignals&) = delete;
  StopSignals& operator=(const StopSignals&) = delete;

  // Readable once a stop signal has arrived.
  int wakeFd() const { return readFd_; }
  bool requested() const;

 private:
  int readFd_ = -1;
  int writeFd_ = -1;
};

}  // namespace vexa::sim
