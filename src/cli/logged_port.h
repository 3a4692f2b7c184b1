#pragma once
// --commands: the port (a board's, or the emulated controller's), with every command written also
// put in a file, one per line as vexa-sim --log writes them. The file is made at the first
// command, so a job refused before it sends anything leaves none behind.

#include <filesystem>
#include <fstream>
#include <memory>

#include "link/serial_port.h"

namespace vexa::cli {

class LoggedPort final : public link::SerialPort {
 public:
  LoggedPort(std::unique_ptr<link::SerialPort> port, std::filesystem::path logPath)
      : port_(std::move(port)), path_(std::move(logPath)) {}


  link::OpenResult open(const std::string& name, int speed) override {
    return port_->open(name, speed);
  }
  void close() override { port_->close(); }
  bool isOpen() const override { return port_->isOpen(); }
  void write(const std::string& text) override;
  std::size_t writeConfirmed(const std::string& text) override;
  int readByte() override { return port_->readByte(); }
  int readWaitingByte() override { return port_->readWaitingByte(); }
  void expectFirmware(const std::string& tag) override { port_->expectFirmware(tag); }
  std::optional<int> demoSpeedup() const override { return port_->demoSpeedup(); }

 private:
  void log(const std::string& text);

  std::unique_ptr<link::SerialPort> port_;
  std::filesystem::path path_;
  std::ofstream file_;
};

}  // namespace vexa::cli
