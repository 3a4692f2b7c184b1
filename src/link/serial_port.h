#pragma once
// The serial device under the machine link. The UI implements it with QSerialPort; tests may
// script it byte for byte.

#include <functional>
#include <optional>
#include <string>

namespace vexa::link {

enum class OpenStatus {
  Ok,
  NotFound,          // no such device
  Busy,              // held by another program
  NoPermission,      // there, but this user may not open it; `group` may
  Other,             // any other failure; `code` tells which
  SettingsRejected,  // opened, but the line settings were refused; the port stays open
  TimeoutsRejected,  // opened, but the read time-outs were refused; the port is closed again
};

struct OpenResult {
  OpenStatus status = OpenStatus::Ok;
  int code = 0;  // platform error code for Other / SettingsRejected / TimeoutsRejected
  std::string systemText = {};  // the platform's own words for a failure, where it gives them
  std::string group = {};       // NoPermission: the group whose members may open the device
};

class SerialPort {
 public:
  static constexpr int kNothing = -1;  // no byte arrived within the read time-out
  static constexpr int kFailed = -2;   // the read failed (line gone, device error)

  virtual ~SerialPort() = default;

  // Exclusive open of an existing device, 8 data bits, no parity, one stop bit, no flow
  // control, DTR and RTS left alone, raw bytes.
  virtual OpenResult open(const std::string& name, int speed) = 0;
  virtual void close() = 0;
  virtual bool isOpen() const = 0;

  // Writes the whole text; the outcome is not reported.
  virtual void write(const std::string& text) = 0;
  // Writes the text and waits until it has left; returns the number of bytes that did.
  virtual std::size_t writeConfirmed(const std::string& text) = 0;

  // One byte 0..255; waits up to about 2 ms when nothing is waiting. kNothing or kFailed.
  virtual int readByte() = 0;
  // One byte that is already waiting, without blocking; kNothing or kFailed otherwise.
  virtual int readWaitingByte() = 0;

  // Demo mode's controller inside the process answers the version query with the tag the
  // asking window needs, told here before it asks; a real port has nothing to do with it.
  virtual void expectFirmware(const std::string& tag) { (void)tag; }
  // How many times faster than the machine the emulated controller of demo mode plays moves;
  // nullopt for a real port.
  virtual std::optional<int> demoSpeedup() const { return std::nullopt; }

  // Told when the line fails or hangs up, during a read or while nobody reads: the port has
  // closed itself by then, so an idle program does not spin on a dead device.
  void onLineLost(std::function<void()> handler) { lineLost_ = std::move(handler); }

 protected:
  void reportLineLost() {
    if (lineLost_) lineLost_();
  }

 private:
  std::function<void()> lineLost_;
};

}  // namespace vexa::link
