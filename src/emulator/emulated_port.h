#pragma once
// Demo mode's port: the emulated controller (the one vexa-sim plays) inside the process. Bytes
// written are the controller's commands at once; its answers can be read when they fall due,
// so paced moves take their (sped-up) time here as on a line. It never fails and never hangs up.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "emulator/command_log.h"
#include "emulator/emulated_controller.h"
#include "link/serial_port.h"

namespace vexa::emulator {

class EmulatedPort final : public link::SerialPort {
 public:
  // With `logPath`, every command received is written there as vexa-sim --log writes it
  // (CommandLog; throws when the file cannot be opened).
  EmulatedPort(ControllerBehaviour behaviour, EmulatorTiming timing,
               const std::filesystem::path& logPath = {});

  // Any name opens: no device is touched.
  link::OpenResult open(const std::string& name, int speed) override;
  void close() override;
  bool isOpen() const override { return open_; }

  void write(const std::string& text) override;
  std::size_t writeConfirmed(const std::string& text) override;

  int readByte() override;
  int readWaitingByte() override;

  // An empty tag (the manual window takes any firmware) keeps the one played last.
  void expectFirmware(const std::string& tag) override;
  std::optional<int> demoSpeedup() const override { return speedup_; }

  const std::string& tag() const { return controller_.tag(); }
  void setRelief(ProbeRelief relief) { controller_.setRelief(std::move(relief)); }

 private:
  // Takes the commands the idle gap completed and the answers due by now.
  void catchUp();
  void take(const std::string& command, EmulatorTime now);
  int takeByte();

  EmulatedController controller_;
  CommandLog log_;
  int speedup_;
  bool open_ = false;
  std::string answered_;  // due answers not read yet, from head_ on
  std::size_t head_ = 0;
  std::vector<std::string> completed_;
};

}  // namespace vexa::emulator
