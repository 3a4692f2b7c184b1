#pragma once

#include <string>

namespace vexa::sim {

// A symbolic link with a stable name pointing at the pseudo-terminal, so users can type the same
// port name every run. Removed on destruction if it still points at our terminal.
class PortLink {
 public:
  // Replaces an existing symbolic link; refuses to replace anything else (throws).
  PortLink(std::string linkPath, std::string target);
  ~PortLink();
  PortLink(const PortLink&) = delete;
  PortLink& operator=(const PortLink&) = delete;

 private:
  std::string linkPath_;
  std::string target_;
};

}  // namespace vexa::sim
