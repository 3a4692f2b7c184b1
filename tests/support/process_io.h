#pragma once
// How many bytes this process has read and written through system calls so far (Linux's
// /proc/self/io): lets a test tell one reading of a file from several without timing anything.

#include <cstdint>
#include <fstream>
#include <optional>
#include <string>

namespace vexa::test {

struct ProcessIo {
  std::int64_t readBytes = 0;
  std::int64_t writtenBytes = 0;
};

inline std::optional<ProcessIo> ReadProcessIo() {
  std::ifstream io("/proc/self/io");
  if (!io) return std::nullopt;
  ProcessIo counts;
  std::string name;
  std::int64_t value = 0;
  while (io >> name >> value) {
    if (name == "rchar:") counts.readBytes = value;
    if (name == "wchar:") counts.writtenBytes = value;
  }
  return counts;
}

}  // namespace vexa::test
