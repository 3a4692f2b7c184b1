#include "emulator/command_log.h"

#include <stdexcept>

namespace vexa::emulator {

CommandLog::CommandLog(const std::filesystem::path& path) {
  if (path.empty()) return;
  file_.open(path, std::ios::binary | std::ios::app);
  // The caller names the file: a path is no text on every system.
  if (!file_) throw std::runtime_error("cannot open the command log");
}

void CommandLog::append(std::string_view command) {
  if (!file_.is_open()) return;
  line_.assign(command);
  line_ += '\n';
  // A full disk must not stop the machine's answers: a failed write is let go.
  file_.write(line_.data(), static_cast<std::streamsize>(line_.size()));
  file_.flush();
  file_.clear();
}

}  // namespace vexa::emulator
