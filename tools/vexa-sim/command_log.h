#pragma once

#include <string>
#include <string_view>

namespace vexa::sim {

// The file tests read to see what the application sent: one command per line, without ";".
// Each line goes out in one write() so a reader sees it at once (no fsync: that would be slow).
class CommandLog {
 public:
  // An empty path disables the log. Throws std::runtime_error when the file cannot be opened.
  explicit CommandLog(const std::string& path);
  ~CommandLog();
  CommandLog(const CommandLog&) = delete;
  CommandLog& operator=(const CommandLog&) = delete;

  void append(std::string_view command);

 private:
  int fd_ = -1;
  std::string line_;
};

}  // namespace vexa::sim
