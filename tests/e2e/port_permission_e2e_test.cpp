// The real executable run by a user outside the serial group, against a vexa-sim terminal that
// only root and that group may open: the message says so and names the group, not "busy".

#include <grp.h>
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <filesystem>
#include <string>

#include "picture/qt_path.h"
#include "support/sim_process.h"
#include "support/temp_folder.h"

namespace vexa::e2e {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSetpriv = "/usr/bin/setpriv";

TEST(PortPermissionEndToEnd, AUserOutsideTheDevicesGroupIsToldWhichGroupOpensIt) {
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to run vexa as another user (CI runs as root)";
  if (!fs::exists(kSetpriv)) GTEST_SKIP() << "needs setpriv (util-linux) to change the user";
  const struct passwd* nobody = ::getpwnam("nobody");
  const struct group* serial = ::getgrnam("dialout");
  if (nobody == nullptr || serial == nullptr) GTEST_SKIP() << "needs the users nobody and dialout";

  test::SimProcess sim({"--tag", "PT"});
  ASSERT_EQ(::chown(sim.portPath().c_str(), 0, serial->gr_gid), 0);
  ASSERT_EQ(::chmod(sim.portPath().c_str(), 0660), 0);

  // A program folder the unprivileged user owns, with the terminal as its port.
  test::TempFolder folder;
  folder.write("cnc.ini", "[CNC]\r\nPort=" + sim.portPath() + "\r\n");
  folder.write("script.txt", "quit\n");
  for (const fs::path& path : {folder.path(), folder / "cnc.ini", folder / "script.txt"}) {
    ASSERT_EQ(::chown(path.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
  }

  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("HOME", picture::ToQString(folder.path()));
  environment.remove("XDG_RUNTIME_DIR");
  environment.insert("VEXA_PROGRAM_DIR", picture::ToQString(folder.path()));
  environment.insert("VEXA_AUTOMATION", picture::ToQString(folder / "script.txt"));
  environment.insert("VEXA_UPDATE_SERVER", "off");
  QProcess vexa;
  vexa.setProcessEnvironment(environment);
  vexa.start(kSetpriv, {"--reuid", QString::number(nobody->pw_uid), "--regid",
                        QString::number(nobody->pw_gid), "--clear-groups", "--", VEXA_EXE_PATH});
  ASSERT_TRUE(vexa.waitForFinished(120000)) << "vexa did not end";
  const std::string transcript = vexa.readAllStandardOutput().toStdString();
  EXPECT_EQ(vexa.exitCode(), 0) << vexa.readAllStandardError().toStdString();
  EXPECT_EQ(transcript, "message\tZiravev AVE\tНет прав на открытие порта " + sim.portPath() +
                            ".\\r\\n\\r\\nПорт открывают участники группы dialout. Добавьте себя "
                            "в эту группу:\\r\\nsudo usermod -aG dialout $USER\\r\\nи войдите в "
                            "систему заново.\n");
}

}  // namespace
}  // namespace vexa::e2e
