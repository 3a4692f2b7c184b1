#pragma once
// SerialPort over QSerialPort. Port names are used as typed: "/dev/ttyUSB0" and "/dev/pts/3" as
// paths, a bare name such as "ttyUSB0" under /dev, and "com8" on Windows.

#include <QSerialPort>

#include "link/serial_port.h"

namespace vexa::link {

class QtSerialPort final : public SerialPort {
 public:
  // What the port keeps of bytes that nobody reads (between jobs), like a serial driver's
  // buffer: the first ones stay, later ones wait in the system or are lost.
  static constexpr qint64 kHeldBytes = 4096;

  QtSerialPort();

  OpenResult open(const std::string& name, int speed) override;
  void close() override;
  bool isOpen() const override;

  void write(const std::string& text) override;
  std::size_t writeConfirmed(const std::string& text) override;

  int readByte() override;
  int readWaitingByte() override;

  // Received bytes the port holds now.
  qint64 heldBytes() const { return port_.bytesAvailable(); }

 private:
  int takeByte();
  void noteError(QSerialPort::SerialPortError error);
  void loseLine();

  QSerialPort port_;
  bool failing_ = false;  // the line reported a failure; the port is about to close
};

}  // namespace vexa::link
