#pragma once
// SerialPort over QSerialPort. Port names are used as typed: "/dev/ttyUSB0" and "/dev/pts/3" as
// paths, a bare name such as "ttyUSB0" under /dev, and "com8" on Windows.

#include <QSerialPort>
#include <string>

#include "link/serial_port.h"

namespace vexa::link {

class QtSerialPort final : public SerialPort {
 public:
  // What the port keeps of bytes that nobody reads (between jobs), like a serial driver's
  // buffer: the first ones stay, the overflow is lost.
  static constexpr std::size_t kHeldBytes = 4096;

  QtSerialPort();

  OpenResult open(const std::string& name, int speed) override;
  void close() override;
  bool isOpen() const override;

  void write(const std::string& text) override;
  std::size_t writeConfirmed(const std::string& text) override;

  int readByte() override;
  int readWaitingByte() override;

  // Received bytes the port holds now.
  std::size_t heldBytes() const { return held_.size() - heldHead_ + port_.bytesAvailable(); }

 private:
  void takeArrived();
  int takeByte();
  // With the port closed: what arrived before the line was lost, then `otherwise`.
  int takeLeftOver(int otherwise);
  void noteError(QSerialPort::SerialPortError error);
  void loseLine();

  QSerialPort port_;
  bool failing_ = false;  // the line reported a failure; the port is about to close
  std::string held_;      // received and not yet read, from heldHead_ on
  std::size_t heldHead_ = 0;
};

}  // namespace vexa::link
