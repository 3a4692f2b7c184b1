// The replace of cnc.ini and work.bmp: a new file is really new, and a file another program
// holds open (Windows) is retried, then left as it was with one notice.

#include "settings/atomic_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "settings/settings_write_notice.h"
#include "support/held_file.h"
#include "support/temp_folder.h"

namespace vexa::settings {
namespace {

namespace fs = std::filesystem;

TEST(CreateNewFile, RefusesAnExistingFileAndLeavesItWhole) {
  const test::TempFolder folder;
  folder.write("taken.tmp", "someone else's");
  errno = 0;
  std::FILE* file = CreateNewFile(folder / "taken.tmp");
  EXPECT_EQ(file, nullptr);
  if (file) std::fclose(file);
  EXPECT_EQ(errno, EEXIST);
  EXPECT_EQ(folder.read("taken.tmp"), "someone else's");
}

TEST(CreateNewFile, MakesAFreshFileThatTakesBytesAsTheyAre) {
  const test::TempFolder folder;
  std::FILE* file = CreateNewFile(folder / "Новый.tmp");
  ASSERT_NE(file, nullptr);
  std::fputs("a\r\nb\n", file);  // binary: no line ends rewritten on Windows
  std::fclose(file);
  EXPECT_EQ(folder.read("Новый.tmp"), "a\r\nb\n");
}

TEST(ReplaceFileAtomically, ReplacesInACyrillicFolder) {
  const test::TempFolder folder;
  fs::create_directory(folder / "Программа");
  folder.write("Программа/cnc.ini", "old");
  ASSERT_TRUE(replaceFileAtomically(folder / "Программа/cnc.ini", "new"));
  EXPECT_EQ(folder.read("Программа/cnc.ini"), "new");
  EXPECT_EQ(folder.entries("Программа"), std::vector<std::string>{"cnc.ini"});
}

#ifdef _WIN32
TEST(ReplaceFileAtomically, AFileAnotherProgramHoldsIsLeftAsItWasWithOneNotice) {
  std::vector<std::string> told;
  SetSettingsWriteReporter([&told](const std::string& text) { told.push_back(text); });
  const test::TempFolder folder;
  const std::string before = "[CNC]\r\nPort=com1\r\n";
  folder.write("cnc.ini", before);
  const SettingsFile settings(folder / "cnc.ini");
  {
    test::HeldFile holder(folder / "cnc.ini", test::HeldFile::Sharing::ReadAndWrite);
    ASSERT_TRUE(holder.held());
    errno = 0;
    EXPECT_FALSE(replaceFileAtomically(folder / "cnc.ini", "new"));
    EXPECT_EQ(errno, EACCES);
    EXPECT_FALSE(settings.WriteSetting("Port", "com2"));
    EXPECT_FALSE(settings.WriteSetting("Port", "com3"));
    EXPECT_EQ(settings.ReadSetting("Port", ""), "com1") << "still read while held";
  }
  EXPECT_EQ(folder.read("cnc.ini"), before);
  EXPECT_EQ(folder.entries(), std::vector<std::string>{"cnc.ini"}) << "no temporary left";
  EXPECT_EQ(told, std::vector<std::string>{SettingsNotWrittenText(folder / "cnc.ini", false)});

  EXPECT_TRUE(settings.WriteSetting("Port", "com2")) << "written once the holder lets go";
  EXPECT_EQ(folder.read("cnc.ini"), "[CNC]\r\nPort=com2\r\n");
  SetSettingsWriteReporter({});
}
#endif

}  // namespace
}  // namespace vexa::settings
