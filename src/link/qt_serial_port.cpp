#include "link/qt_serial_port.h"

#include <algorithm>

#include "link/port_access.h"

namespace vexa::link {

namespace {
constexpr int kReadWaitMs = 2;       // an empty read returns after about this long
constexpr int kWriteWaitMs = 2000;   // a command is tens of bytes; this only guards a dead line

// A pulled cable shows as a resource error; a hung-up line (the emulator ended) as a read that
// keeps returning nothing, which Qt reports as a read error every time the device is polled.
bool isLineFailure(QSerialPort::SerialPortError error) {
  return error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
}
}  // namespace

QtSerialPort::QtSerialPort() {
  QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                   [this](QSerialPort::SerialPortError error) { noteError(error); });
  // QSerialPort reads the device whenever the event loop runs and would keep everything; the
  // bytes move on at once, so only kHeldBytes of them wait, whoever reads or not. (Capping
  // QSerialPort's own buffer instead stalls writes once it is full.)
  QObject::connect(&port_, &QSerialPort::readyRead, &port_, [this] { takeArrived(); });
}

void QtSerialPort::takeArrived() {
  char chunk[1024];
  for (qint64 count; (count = port_.read(chunk, sizeof chunk)) > 0;) {
    const std::size_t room = kHeldBytes - (held_.size() - heldHead_);
    held_.append(chunk, std::min(static_cast<std::size_t>(count), room));
  }
}

void QtSerialPort::noteError(QSerialPort::SerialPortError error) {
  if (!isLineFailure(error) || !port_.isOpen() || failing_) return;
  failing_ = true;
  // Closed from the event loop, not from inside QSerialPort's own notification; a read that
  // comes first closes it itself.
  QMetaObject::invokeMethod(
      &port_, [this] { loseLine(); }, Qt::QueuedConnection);
}

void QtSerialPort::loseLine() {
  if (!failing_) return;
  // Replies that came before the line went still count (a job that goes on after the cut
  // must not send again what the controller confirmed), so they stay readable.
  takeArrived();
  const std::string unread = held_.substr(heldHead_);
  close();
  held_ = unread;
  reportLineLost();
}

OpenResult QtSerialPort::open(const std::string& name, int speed) {
  close();
  port_.setPortName(QString::fromStdString(name));
  if (!port_.open(QIODevice::ReadWrite)) {
    const QSerialPort::SerialPortError error = port_.error();
    const std::string systemText = port_.errorString().toStdString();
    port_.clearError();
    switch (error) {
      case QSerialPort::DeviceNotFoundError:
        return {OpenStatus::NotFound, 0, systemText};
      case QSerialPort::PermissionError:  // locked, opened by another program, or no rights
        return RefusedOpen(ReadDeviceRights(DeviceFile(name)), systemText);
      default:
        return {OpenStatus::Other, static_cast<int>(error), systemText};
    }
  }
  // DTR and RTS are left as the driver has them; reads never block longer than kReadWaitMs.
  const bool settingsTaken = port_.setBaudRate(speed) && port_.setDataBits(QSerialPort::Data8) &&
                             port_.setParity(QSerialPort::NoParity) &&
                             port_.setStopBits(QSerialPort::OneStop) &&
                             port_.setFlowControl(QSerialPort::NoFlowControl);
  if (!settingsTaken) {
    const int code = static_cast<int>(port_.error());
    const std::string systemText = port_.errorString().toStdString();
    port_.clearError();
    return {OpenStatus::SettingsRejected, code, systemText};
  }
  return {OpenStatus::Ok, 0};
}

void QtSerialPort::close() {
  failing_ = false;
  held_.clear();
  heldHead_ = 0;
  if (port_.isOpen()) port_.close();
  port_.clearError();
}

bool QtSerialPort::isOpen() const { return port_.isOpen(); }

void QtSerialPort::write(const std::string& text) { writeConfirmed(text); }

std::size_t QtSerialPort::writeConfirmed(const std::string& text) {
  if (!port_.isOpen()) return 0;
  const qint64 accepted = port_.write(text.data(), static_cast<qint64>(text.size()));
  if (accepted < 0) return 0;
  // QSerialPort queues the bytes; push them out now, as a synchronous write would.
  while (port_.bytesToWrite() > 0) {
    if (!port_.waitForBytesWritten(kWriteWaitMs)) break;
  }
  return static_cast<std::size_t>(accepted - port_.bytesToWrite());
}

int QtSerialPort::takeByte() {
  takeArrived();
  if (heldHead_ < held_.size()) {
    const auto byte = static_cast<unsigned char>(held_[heldHead_++]);
    if (heldHead_ == held_.size()) {
      held_.clear();
      heldHead_ = 0;
    }
    return byte;
  }
  if (failing_ || isLineFailure(port_.error())) {
    failing_ = true;
    loseLine();
    return kFailed;
  }
  return kNothing;
}

int QtSerialPort::takeLeftOver(int otherwise) {
  if (heldHead_ >= held_.size()) return otherwise;
  return static_cast<unsigned char>(held_[heldHead_++]);
}

int QtSerialPort::readByte() {
  if (!port_.isOpen()) return takeLeftOver(kFailed);
  if (heldBytes() == 0) port_.waitForReadyRead(kReadWaitMs);
  return takeByte();
}

int QtSerialPort::readWaitingByte() {
  // A reply that is complete is not spoilt by the line's end; the next blocking read fails.
  if (!port_.isOpen()) return takeLeftOver(kNothing);
  // Bytes reach QSerialPort only when it polls the device; a zero wait polls once.
  if (heldBytes() == 0) port_.waitForReadyRead(0);
  return takeByte();
}

}  // namespace vexa::link
