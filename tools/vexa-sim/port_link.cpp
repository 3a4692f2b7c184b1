#include "port_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace vexa::sim {

namespace {

std::string errorText(const std::string& what) {
  return what + ": " + std::strerror(errno);
}

}  // namespace

PortLink::PortLink(std::string linkPath, std::string target)
    : linkPath_(std::move(linkPath)), target_(std::move(target)) {
  struct stat existing {};
  if (lstat(linkPath_.c_str(), &existing) == 0) {
    if (!S_ISLNK(existing.st_mode)) {
      throw std::runtime_error(linkPath_ + " exists and is not a symbolic link; not replacing it");
    }
    if (unlink(linkPath_.c_str()) != 0) {
      throw std::runtime_error(errorText("cannot remove the old link " + linkPath_));
    }
  }
  if (symlink(target_.c_str(), linkPath_.c_str()) != 0) {
    throw std::runtime_error(errorText("cannot create the link " + linkPath_));
  }
}

PortLink::~PortLink() {
  // Another emulator may have taken the name over meanwhile; leave its link alone.
  std::vector<char> buffer(target_.size() + 2);
  ssize_t length = readlink(linkPath_.c_str(), buffer.data(), buffer.size());
  if (length >= 0 && std::string(buffer.data(), static_cast<std::size_t>(length)) == target_) {
    unlink(linkPath_.c_str());
  }
}

}  // namespace vexa::sim
