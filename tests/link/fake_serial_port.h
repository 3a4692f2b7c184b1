#pragma once
// A serial port that plays a script: bytes the controller "sends" are queued by the test, and
// everything written is recorded. An empty queue reads as "nothing arrived".

#include <deque>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "link/serial_port.h"

namespace vexa::test {

class FakeSerialPort : public link::SerialPort {
 public:
  link::OpenResult openResult;
  bool opened = false;
  std::vector<std::string> written;
  std::deque<int> incoming;  // bytes, or kFailed to make a read fail
  std::size_t confirmLimit = std::string::npos;  // bytes a confirmed write gets through
  // Called when a blocking read finds nothing, so a test can make time pass or bytes arrive.
  std::function<void()> onIdleRead;
  int blockingReads = 0;
  std::string replyToEachWrite;  // e.g. "T": the controller answers every command
  std::vector<std::pair<std::string, int>> opens;  // name and speed of every open

  void arrive(const std::string& bytes) {
    for (unsigned char c : bytes) incoming.push_back(c);
  }

  // The line hangs up: the port closes itself and says so.
  void loseLine() {
    opened = false;
    reportLineLost();
  }

  link::OpenResult open(const std::string& name, int speed) override {
    opens.emplace_back(name, speed);
    opened = openResult.status == link::OpenStatus::Ok ||
             openResult.status == link::OpenStatus::SettingsRejected;
    return openResult;
  }
  void close() override { opened = false; }
  bool isOpen() const override { return opened; }
  void write(const std::string& text) override {
    written.push_back(text);
    arrive(replyToEachWrite);
  }
  std::size_t writeConfirmed(const std::string& text) override {
    write(text);
    return std::min(text.size(), confirmLimit);
  }
  int readByte() override {
    ++blockingReads;
    if (incoming.empty() && onIdleRead) onIdleRead();
    return take();
  }
  int readWaitingByte() override { return take(); }

 private:
  int take() {
    if (incoming.empty()) return kNothing;
    const int byte = incoming.front();
    incoming.pop_front();
    return byte;
  }
};

}  // namespace vexa::test
