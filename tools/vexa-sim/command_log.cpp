#include "command_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace vexa::sim {

CommandLog::CommandLog(const std::string& path) {
  if (path.empty()) return;
  fd_ = open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    throw std::runtime_error("cannot open the log " + path + ": " + std::strerror(errno));
  }
}

CommandLog::~CommandLog() {
  if (fd_ >= 0) close(fd_);
}

void CommandLog::append(std::string_view command) {
  if (fd_ < 0) return;
  line_.assign(command);
  line_ += '\n';
  std::string_view rest = line_;
  while (!rest.empty()) {
    ssize_t written = write(fd_, rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return;  // a full disk must not stop the machine's answers
    rest.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace vexa::sim
