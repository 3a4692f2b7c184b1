#pragma once
// A serial port that never opens: the benches run as on a computer without the machine.

#include "link/serial_port.h"

namespace vexa::bench {

class ShutPort final : public link::SerialPort {
 public:
  link::OpenResult open(const std::string&, int) override {
    return {link::OpenStatus::NotFound, 0, {}};
  }
  void close() override {}
  bool isOpen() const override { return false; }
  void write(const std::string&) override {}
  std::size_t writeConfirmed(const std::string&) override { return 0; }
  int readByte() override { return kFailed; }
  int readWaitingByte() override { return kFailed; }
};

}  // namespace vexa::bench
