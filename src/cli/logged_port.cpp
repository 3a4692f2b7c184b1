#include "cli/logged_port.h"

#include <stdexcept>

namespace vexa::cli {

void LoggedPort::write(const std::string& text) {
  log(text);
  port_->write(text);
}

std::size_t LoggedPort::writeConfirmed(const std::string& text) {
  log(text);
  return port_->writeConfirmed(text);
}

// The link writes whole commands: those with ";" may come several at once, the laser's on and
// off come alone and without it.
void LoggedPort::log(const std::string& text) {
  if (!file_.is_open()) {
    file_.open(path_, std::ios::binary | std::ios::trunc);
    // Raised at the first command, before it is written: the job stops as on a failed write.
    if (!file_) throw std::runtime_error("--commands: не удаётся записать файл " + path_.string());
  }
  std::string command;
  for (char c : text) {
    if (c == '\r' || c == '\n') continue;
    if (c == ';') {
      file_ << command << '\n';
      command.clear();
    } else {
      command += c;
    }
  }
  if (!command.empty()) file_ << command << '\n';
  file_.flush();
}

}  // namespace vexa::cli
