#include "emulator/emulated_port.h"

#include <algorithm>
#include <thread>

namespace vexa::emulator {

namespace {

// A real port's read waits this long for a byte that is not there yet.
constexpr std::chrono::milliseconds kReadWait{2};
// A sleep overshoots by about this much (the system's timer slack): the last stretch before an
// answer falls due is waited out by the caller's read loop instead, or the sped-up moves of
// demo mode would take longer than the estimate says.
constexpr std::chrono::microseconds kSleepSlack{100};

}  // namespace

EmulatedPort::EmulatedPort(ControllerBehaviour behaviour, EmulatorTiming timing,
                           const std::filesystem::path& logPath)
    : controller_(std::move(behaviour), timing),
      log_(logPath),
      speedup_(std::max(timing.speedup, 1)) {}

link::OpenResult EmulatedPort::open(const std::string&, int) {
  open_ = true;
  return {};
}

void EmulatedPort::close() {
  // Answers that came and nobody has read are lost with the port, as in a serial driver.
  catchUp();
  open_ = false;
  answered_.clear();
  head_ = 0;
}

void EmulatedPort::write(const std::string& text) {
  if (!open_) return;
  const EmulatorTime now = EmulatorClock::now();
  completed_.clear();
  controller_.receive(text, now, completed_);
  for (const std::string& command : completed_) take(command, now);
}

void EmulatedPort::take(const std::string& command, EmulatorTime now) {
  log_.append(command);
  controller_.answer(command, now);
}

std::size_t EmulatedPort::writeConfirmed(const std::string& text) {
  write(text);
  return open_ ? text.size() : 0;
}

void EmulatedPort::catchUp() {
  const EmulatorTime now = EmulatorClock::now();
  while (auto command = controller_.takeIdleCommand(now)) take(*command, now);
  std::string answer;
  while (controller_.popDue(now, answer)) answered_ += answer;
}

int EmulatedPort::takeByte() {
  if (head_ == answered_.size()) return kNothing;
  const auto byte = static_cast<unsigned char>(answered_[head_++]);
  if (head_ == answered_.size()) {
    answered_.clear();
    head_ = 0;
  }
  return byte;
}

int EmulatedPort::readByte() {
  if (!open_) return kNothing;
  catchUp();
  if (head_ < answered_.size()) return takeByte();
  // Nothing due: wait as a port would, but no longer than until the next answer.
  const EmulatorTime now = EmulatorClock::now();
  EmulatorTime wake = now + kReadWait;
  if (const auto event = controller_.nextEvent()) wake = std::min(wake, *event);
  if (wake - now > kSleepSlack) {
    std::this_thread::sleep_until(wake - kSleepSlack);
  } else {
    std::this_thread::yield();
  }
  catchUp();
  return takeByte();
}

int EmulatedPort::readWaitingByte() {
  if (!open_) return kNothing;
  catchUp();
  return takeByte();
}

void EmulatedPort::expectFirmware(const std::string& tag) {
  if (!tag.empty()) controller_.setTag(tag);
}

}  // namespace vexa::emulator
