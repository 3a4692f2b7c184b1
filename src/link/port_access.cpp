#include "link/port_access.h"

#ifndef _WIN32
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace vexa::link {

namespace {
constexpr const char* kCrLf = "\r\n";
}  // namespace

std::filesystem::path DeviceFile(const std::string& name) {
  const std::filesystem::path path(name);
  if (path.has_root_directory() || name.find('/') != std::string::npos) return path;
  return std::filesystem::path("/dev") / path;
}

DeviceRights ReadDeviceRights(const std::filesystem::path& device) {
  DeviceRights rights;
#ifdef _WIN32
  (void)device;
#else
  struct stat info {};
  if (::stat(device.c_str(), &info) != 0) return rights;
  rights.exists = true;
  // The effective user's rights, as open() checks them.
  rights.mayReadWrite =
      ::faccessat(AT_FDCWD, device.c_str(), R_OK | W_OK, AT_EACCESS) == 0 || errno != EACCES;
  if (const struct group* owner = ::getgrgid(info.st_gid)) rights.group = owner->gr_name;
#endif
  return rights;
}

OpenResult RefusedOpen(const DeviceRights& rights, std::string systemText) {
  if (rights.exists && !rights.mayReadWrite) {
    return {OpenStatus::NoPermission, 0, std::move(systemText),
            rights.group.empty() ? kSerialGroup : rights.group};
  }
  return {OpenStatus::Busy, 0, std::move(systemText)};
}

std::string PortNoPermissionText(const std::string& name, const std::string& group) {
  return std::string("Нет прав на открытие порта ") + name + "." + kCrLf + kCrLf +
         "Порт открывают участники группы " + group + ". Добавьте себя в эту группу:" + kCrLf +
         "sudo usermod -aG " + group + " $USER" + kCrLf + "и войдите в систему заново.";
}

}  // namespace vexa::link
