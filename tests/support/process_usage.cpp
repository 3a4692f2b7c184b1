#include "support/process_usage.h"

#include <sys/resource.h>
#include <unistd.h>

#include <fstream>
#include <sstream>
#include <string>

namespace vexa::test {

namespace {

std::string procFile(std::int64_t pid, const char* name) {
  return "/proc/" + (pid > 0 ? std::to_string(pid) : std::string("self")) + "/" + name;
}

double seconds(const timeval& time) {
  return time.tv_sec + time.tv_usec / 1e6;
}

}  // namespace

double CpuSeconds() {
  rusage usage{};
  if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double CpuSecondsOf(std::int64_t pid) {
  std::ifstream file(procFile(pid, "stat"));
  std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  // The command name in parentheses may hold spaces; the fields after it are plain.
  const std::size_t nameEnd = stat.rfind(')');
  if (nameEnd == std::string::npos) return 0;
  std::istringstream fields(stat.substr(nameEnd + 1));
  std::string field;
  double userTicks = 0;
  double systemTicks = 0;
  // After the name: state is field 3, user time field 14, system time field 15.
  for (int number = 3; number <= 15 && fields >> field; ++number) {
    if (number == 14) userTicks = std::stod(field);
    if (number == 15) systemTicks = std::stod(field);
  }
  return (userTicks + systemTicks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double ResidentKb(std::int64_t pid) {
  std::ifstream status(procFile(pid, "status"));
  for (std::string line; std::getline(status, line);) {
    if (line.starts_with("VmRSS:")) return std::stod(line.substr(6));
  }
  return 0;
}

}  // namespace vexa::test
