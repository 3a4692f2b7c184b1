#pragma once
// --commands with --port: the real port, with every command written also put in a file, one per
// line as vexa-sim --log writes them.

#include <filesystem>
#include <fstream>
#include <memory>

#include "link/serial_port.h"

namespace vexa::cli {

class LoggedPort final : public link::SerialPort {
 public:
  // Throws std::runtime_error when the file cannot be opened.
  LoggedPort(std::unique_ptr<link::SerialPort> port, const std::filesystem::path& logPath);

  link::OpenResult open(const std::string& name, int speed) override {
    return port_->open(name, speed);
  }
  void close() override { port_->close(); }
  bool isOpen() const override { return port_->isOpen(); }
  void write(const std::string& text) override;
  std::size_t writeConfirmed(const std::string& text) override;
  int readByte() override { return port_->readByte(); }
  int readWaitingByte() override { return port_->readWaitingByte(); }

 private:
  void log(const std::string& text);

  std::unique_ptr<link::SerialPort> port_;
  std::ofstream file_;
};

}  // namespace vexa::cli
