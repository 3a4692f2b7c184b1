// How a refused open becomes the user's message: a device closed to this user names the group
// that may open it and the way in; a held device stays "busy"; the file system is asked for real.

#include "link/port_access.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "link/fake_serial_port.h"
#include "link/machine_link.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

#ifndef _WIN32
#include <grp.h>
#include <unistd.h>
#endif

namespace vexa::link {
namespace {

TEST(PortAccess, ARefusedOpenIsAMissingRightOnlyWhenTheDeviceIsThereAndClosedToTheUser) {
  struct Case {
    const char* name;
    DeviceRights rights;
    OpenStatus status;
    std::string group;
  };
  const std::vector<Case> cases = {
      {"closed to the user", {true, false, "uucp"}, OpenStatus::NoPermission, "uucp"},
      {"group unknown", {true, false, ""}, OpenStatus::NoPermission, "dialout"},
      {"the user may open it: someone holds it", {true, true, "dialout"}, OpenStatus::Busy, ""},
      {"gone meanwhile", {false, true, ""}, OpenStatus::Busy, ""},
  };
  for (const Case& c : cases) {
    const OpenResult result = RefusedOpen(c.rights, "Permission denied");
    EXPECT_EQ(result.status, c.status) << c.name;
    EXPECT_EQ(result.group, c.group) << c.name;
    EXPECT_EQ(result.systemText, "Permission denied") << c.name;
  }
}

TEST(PortAccess, TheMessageNamesThePortTheGroupAndTheWayIn) {
  test::FakeSerialPort port;
  test::RecordingPrompts prompts;
  struct NoPump : EventPump {
    void processPendingEvents() override {}
  } pump;
  MachineLink link(port, pump, prompts, [] { return std::int64_t{0}; });
  port.openResult = RefusedOpen({true, false, "dialout"}, "Permission denied");
  EXPECT_FALSE(link.OpenPort("/dev/ttyUSB0", 9600));
  port.openResult = RefusedOpen({true, true, "dialout"}, "Device or resource busy");
  EXPECT_FALSE(link.OpenPort("/dev/ttyACM0", 9600));

  ASSERT_EQ(prompts.messages.size(), 2u);
  EXPECT_EQ(prompts.messages[0].caption, "Ziravev AVE");
  EXPECT_EQ(prompts.messages[0].text,
            "Нет прав на открытие порта /dev/ttyUSB0.\r\n\r\nПорт открывают участники группы "
            "dialout. Добавьте себя в эту группу:\r\nsudo usermod -aG dialout $USER\r\n"
            "и войдите в систему заново.");
  EXPECT_EQ(prompts.messages[1].text,
            "Порт /dev/ttyACM0 используется другим приложением.\r\n\r\nЗакройте приложение, "
            "использующее порт /dev/ttyACM0.\r\nЗайдите в Настройки и выберите другой порт.");
}

TEST(PortAccess, PortNamesAreDeviceFilesAsTheSerialBackendOpensThem) {
  EXPECT_EQ(DeviceFile("/dev/ttyUSB0"), std::filesystem::path("/dev/ttyUSB0"));
  EXPECT_EQ(DeviceFile("ttyACM1"), std::filesystem::path("/dev/ttyACM1"));
  EXPECT_EQ(DeviceFile("/tmp/vexa-port"), std::filesystem::path("/tmp/vexa-port"));
}

#ifndef _WIN32
TEST(PortAccess, TheFileSystemTellsTheDevicesGroup) {
  test::TempFolder folder;
  folder.write("device", "");
  const DeviceRights rights = ReadDeviceRights(folder / "device");
  EXPECT_TRUE(rights.exists);
  EXPECT_TRUE(rights.mayReadWrite);  // our own file
  const struct group* own = ::getgrgid(::getegid());
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(rights.group, own->gr_name);

  const DeviceRights missing = ReadDeviceRights(folder / "no-such-device");
  EXPECT_FALSE(missing.exists);
  EXPECT_EQ(RefusedOpen(missing, "").status, OpenStatus::Busy);
}
#endif

}  // namespace
}  // namespace vexa::link
