#pragma once
// SerialPort over QSerialPort. Port names are used as typed: "/dev/ttyUSB0" and "/dev/pts/3" as
// paths, a bare name such as "ttyUSB0" under /dev, and "com8" on Windows.

#include <QSerialPort>

#include "link/serial_port.h"

namespace vexa::link {

class QtSerialPort final : public SerialPort {
 public:
  OpenResult open(const std::string& name, int speed) override;
  void close() override;
  bool isOpen() const override;

  void write(const std::string& text) override;
  std::size_t writeConfirmed(const std::string& text) override;

  int readByte() override;
  int readWaitingByte() override;

 private:
  int takeByte();
  bool lineFailed() const;

  QSerialPort port_;
};

}  // namespace vexa::link
