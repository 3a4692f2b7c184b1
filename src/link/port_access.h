#pragma once
// A port the system refuses to open: held by another program, or there but closed to this user.
// On Linux a serial device belongs to a group (normally dialout); a user outside it is refused
// with the same error the serial driver gives for a busy port, so the device file is asked.

#include <filesystem>
#include <string>

#include "link/serial_port.h"

namespace vexa::link {

// What the file system says about a device this process may want to open.
struct DeviceRights {
  bool exists = false;
  bool mayReadWrite = true;
  std::string group;  // the device file's group name ("dialout"); empty when unknown
};

inline constexpr const char* kSerialGroup = "dialout";  // Debian's and Ubuntu's serial devices

// The device file behind a port name as it is opened: a path as it is, a bare name in /dev.
std::filesystem::path DeviceFile(const std::string& name);

// Asks the file system (POSIX); elsewhere a refused open always counts as busy.
DeviceRights ReadDeviceRights(const std::filesystem::path& device);

// A refused open: NoPermission when the device is there and this user may not read and write
// it, Busy otherwise.
OpenResult RefusedOpen(const DeviceRights& rights, std::string systemText);

// "Нет прав на открытие порта ..." with the fix: join the group, log in again.
std::string PortNoPermissionText(const std::string& name, const std::string& group);

}  // namespace vexa::link
