#pragma once
// How the preparation operations and the stroke search show themselves while they run: the
// status label Label7 with the progress bar ProgressBar1, and the event processing that keeps
// the window alive without costing more than the work itself.

#include <cstdint>
#include <functional>
#include <string>

namespace vexa::cutting {

// Any of them may be left empty.
struct OperationDisplay {
  // The status text in Label7; Label7 and ProgressBar1 (0 to 100, at 0) are shown.
  std::function<void(const std::string& status)> show;
  std::function<void(int value)> progress;
  std::function<void()> hide;  // Label7 and ProgressBar1 hidden again
  // Let pending events through. It may throw to abandon the work (the window is closing).
  std::function<void()> keepAlive;
  // The operation wrote its result into the working picture (the window redraws if Frame6 shows).
  std::function<void()> written;
};

// Thrown from keepAlive when the window closes during work that may simply end there (the chain,
// the stroke search): nothing has been sent to the machine, so there is nothing to ask.
struct WorkAbandoned {};

// "Нейро. CN - 3".
std::string StatusText(const char* code, std::int32_t pass);

// Hands every 32nd tick on to keepAlive: the work ticks once per pixel or row, and keepAlive
// (link::PacedPump in the window) decides by the clock whether events are due.
class EventPacer {
 public:
  explicit EventPacer(std::function<void()> keepAlive) : keepAlive_(std::move(keepAlive)) {}

  void tick() {
    if (++ticks_ % kTicksPerCall == 0) keepAliveNow();
  }
  void keepAliveNow() {
    if (keepAlive_) keepAlive_();
  }

 private:
  static constexpr unsigned kTicksPerCall = 32;

  std::function<void()> keepAlive_;
  unsigned ticks_ = 0;
};

// One operation's run: its status shown at the start, the progress by rows, the events paced,
// Label7 and ProgressBar1 hidden at the end however the operation ends.
class OperationRun {
 public:
  OperationRun(const OperationDisplay& display, const std::string& status);
  ~OperationRun();
  OperationRun(const OperationRun&) = delete;
  OperationRun& operator=(const OperationRun&) = delete;

  // At the start of row `y` of `height` (counted from 1): the bar at y * 100 / height.
  void row(int y, int height);
  void progress(int value);
  void tick() { pacer_.tick(); }
  // The end: Label7 and ProgressBar1 hidden, then the window told that the result is written.
  void finish();

 private:
  void hide();

  const OperationDisplay& display_;
  EventPacer pacer_;
  int shown_ = 0;
  bool hidden_ = false;
};

}  // namespace vexa::cutting
