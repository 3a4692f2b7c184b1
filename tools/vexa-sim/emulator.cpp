#include "emulator.h"

#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>

namespace vexa::sim {

namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
constexpr int kFailingLineRetryMs = 10;
// A reader that has stopped reading does not keep the hang-up waiting longer.
constexpr std::chrono::milliseconds kHangupDrainLimit{1000};

}  // namespace

Emulator::Emulator(const SimOptions& options, PseudoTerminal& line, emulator::CommandLog& log,
                   const StopSignals& stopSignals)
    : line_(line),
      log_(log),
      stopSignals_(stopSignals),
      controller_(ControllerBehaviourOf(options),
                  emulator::EmulatorTiming{std::chrono::milliseconds(options.delayMs), options.pace, 1}),
      hangupAfter_(options.hangupAfter),
      silentAfter_(options.silentAfter),
      echo_(options.echo),
      chatter_(options.chatterBytesPerSecond),
      lifelineFd_(options.exitWithStdin ? STDIN_FILENO : -1),
      readBuffer_(kReadChunk) {}

Emulator::Ending Emulator::run() {
  while (!stopSignals_.requested()) {
    TimePoint now = EmulatorClock::now();
    if (auto idleCommand = controller_.takeIdleCommand(now)) handleCommand(*idleCommand, now);
    if (hungUp_) return Ending::HungUp;
    sendDueAnswers(now);
    sendChatter(now);

    pollfd fds[3] = {};
    fds[0].fd = stopSignals_.wakeFd();
    fds[0].events = POLLIN;
    // A negative descriptor makes poll() skip the entry: a failing master would report POLLHUP
    // at once on every call.
    fds[1].fd = lineFailing_ ? -1 : line_.masterFd();
    fds[1].events = POLLIN | (unsent_.empty() ? 0 : POLLOUT);
    fds[2].fd = lifelineFd_;
    fds[2].events = POLLIN;
    int timeout = pollTimeoutMs(now);
    if (lineFailing_)
      timeout = timeout < 0 ? kFailingLineRetryMs : std::min(timeout, kFailingLineRetryMs);
    if (chatter_.active()) {
      const int tick = static_cast<int>(Chatter::kTick.count());
      timeout = timeout < 0 ? tick : std::min(timeout, tick);
    }

    int ready = poll(fds, 3, timeout);
    if (ready < 0) continue;  // EINTR: the loop checks for a stop request
    if ((fds[2].revents & (POLLIN | POLLHUP | POLLERR)) && lifelineEnded()) return Ending::Stopped;
    if (lineFailing_) {
      lineFailing_ = false;
      continue;
    }
    if (fds[1].revents & POLLOUT) flushUnsent();
    if (fds[1].revents & (POLLIN | POLLHUP | POLLERR)) {
      readLine(EmulatorClock::now());
      if (hungUp_) return Ending::HungUp;
    }
  }
  return Ending::Stopped;
}

void Emulator::readLine(TimePoint now) {
  ssize_t count = read(line_.masterFd(), readBuffer_.data(), readBuffer_.size());
  if (count < 0) {
    if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) lineFailing_ = true;
    return;
  }
  if (count == 0) {
    lineFailing_ = true;
    return;
  }
  // An echoing board sends the bytes back as they come, before it answers the command.
  if (echo_) send(std::string(readBuffer_.data(), static_cast<std::size_t>(count)));
  completed_.clear();
  controller_.receive(std::string_view(readBuffer_.data(), static_cast<std::size_t>(count)), now,
                      completed_);
  for (const std::string& command : completed_) {
    handleCommand(command, now);
    if (hungUp_) return;
  }
  sendDueAnswers(now);
}

void Emulator::handleCommand(const std::string& command, TimePoint now) {
  ++commandsReceived_;
  log_.append(command);
  if (hangupAfter_ > 0 && commandsReceived_ >= hangupAfter_) {
    // The answers already due (to the commands before this one) go out and are read first, as
    // from a board that answered them before the line dropped: what the application counts as
    // confirmed then does not depend on how the bytes met the hang-up.
    sendDueAnswers(now);
    flushUnsent();
    line_.waitUntilRead(kHangupDrainLimit);
    line_.hangUp();
    hungUp_ = true;
    return;
  }
  if (silentAfter_ > 0 && commandsReceived_ > silentAfter_) return;  // hung, line still open
  controller_.answer(command, now);
}

void Emulator::sendDueAnswers(TimePoint now) {
  std::string answer;
  while (controller_.popDue(now, answer)) send(answer);
}

void Emulator::send(const std::string& answer) {
  // Keep the order: once something is waiting, new answers queue behind it.
  if (!unsent_.empty()) {
    unsent_ += answer;
    flushUnsent();
    return;
  }
  ssize_t written = write(line_.masterFd(), answer.data(), answer.size());
  std::size_t done = written > 0 ? static_cast<std::size_t>(written) : 0;
  if (done < answer.size()) unsent_.append(answer, done, std::string::npos);
}

void Emulator::sendChatter(TimePoint now) {
  const std::string bytes = chatter_.due(now);
  // Answers waiting for room go first; chatter that finds the line full is lost.
  if (bytes.empty() || !unsent_.empty() || lineFailing_) return;
  [[maybe_unused]] ssize_t written = write(line_.masterFd(), bytes.data(), bytes.size());
}

bool Emulator::lifelineEnded() {
  char discard[256];
  const ssize_t count = read(lifelineFd_, discard, sizeof discard);
  if (count > 0) return false;
  return count == 0 || (errno != EAGAIN && errno != EINTR);
}

void Emulator::flushUnsent() {
  while (!unsent_.empty()) {
    ssize_t written = write(line_.masterFd(), unsent_.data(), unsent_.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;  // the line is full; poll() tells us when it drains
    unsent_.erase(0, static_cast<std::size_t>(written));
  }
}

int Emulator::pollTimeoutMs(TimePoint now) const {
  const std::optional<TimePoint> wakeAt = controller_.nextEvent();
  if (!wakeAt) return -1;
  if (*wakeAt <= now) return 0;
  // Round up: waking a little late is harmless, waking early just costs another loop.
  auto wait = std::chrono::ceil<std::chrono::milliseconds>(*wakeAt - now);
  return static_cast<int>(std::min<long long>(wait.count(), 24LL * 60 * 60 * 1000));
}

}  // namespace vexa::sim
