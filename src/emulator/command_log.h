#pragma once
// The file that shows what the application sent to the emulated controller (vexa-sim --log,
// vexa --demo-log): one command per line, without ";". Each line is flushed as it is written,
// so a reader sees it at once.

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace vexa::emulator {

class CommandLog {
 public:
  // An empty path disables the log. Throws std::runtime_error when the file cannot be opened.
  explicit CommandLog(const std::filesystem::path& path);

  void append(std::string_view command);

 private:
  std::ofstream file_;
  std::string line_;
};

}  // namespace vexa::emulator
