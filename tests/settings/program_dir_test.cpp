// The program folder from the command line, the environment or the executable's place, also when
// its name is Cyrillic: cnc.ini and the default pictures are found in it.

#include "settings/program_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "settings/path_text.h"
#include "settings/settings.h"
#include "settings/settings_keys.h"
#include "support/temp_folder.h"

namespace vexa::settings {
namespace {

namespace fs = std::filesystem;

using Args = std::vector<std::string>;

TEST(ProgramDir, TheOptionBeatsTheVariableWhichBeatsTheExecutablesFolder) {
  struct Case {
    const char* name;
    Args args;
    const char* variable;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"option", {"vexa", "--program-dir", "A"}, "B", "A"},
      {"option=", {"vexa", "--program-dir=A"}, "B", "A"},
      {"variable", {"vexa"}, "B", "B"},
      {"empty variable", {"vexa"}, "", "exe"},
      {"no variable", {"vexa"}, nullptr, "exe"},
      {"option without a value", {"vexa", "--program-dir"}, nullptr, "exe"},
      {"other arguments", {"vexa", "-x", "--program-dir", "A", "y"}, nullptr, "A"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PathToUtf8(ResolveProgramDir(c.args, c.variable, "exe")), c.expected) << c.name;
  }
}

// Each road to a program folder named "Программа" that holds cnc.ini and the default picture.
class CyrillicProgramDir : public testing::Test {
 protected:
  CyrillicProgramDir() {
    fs::create_directory(folder / "Программа");
    folder.write("Программа/cnc.ini", "[CNC]\r\nEtching_width=123\r\n");
    folder.write("Программа/gepard2.jpg", "picture");
  }

  // True when `dir` is that folder: cnc.ini is read from it and the default picture found.
  void expectTheFolder(const fs::path& dir, const std::string& road) const {
    SCOPED_TRACE(road);
    EXPECT_EQ(PathToUtf8(dir), text);
    EXPECT_EQ(SettingsFile(dir / "cnc.ini").ReadSetting("Etching_width", "200"), "123");
    const std::string picture = BuiltinDefault("Etching_image", dir);
    const std::string separator(1, static_cast<char>(fs::path::preferred_separator));
    EXPECT_EQ(picture, text + separator + "gepard2.jpg");
    EXPECT_TRUE(FileExists(PathFromUtf8(picture)));
  }

  test::TempFolder folder;
  std::string text = PathToUtf8(folder / "Программа");  // as a user types or a script passes it
};

TEST_F(CyrillicProgramDir, EveryRoadFindsIt) {
  expectTheFolder(ResolveProgramDir({"vexa", "--program-dir", text}, nullptr, "exe"),
                  "--program-dir DIR");
  expectTheFolder(ResolveProgramDir({"vexa", "--program-dir=" + text}, nullptr, "exe"),
                  "--program-dir=DIR");
  expectTheFolder(ResolveProgramDir({"vexa"}, text.c_str(), "exe"), kProgramDirVariable);
  expectTheFolder(ResolveProgramDir({"vexa"}, nullptr, folder / "Программа"),
                  "the executable's folder");
}

TEST_F(CyrillicProgramDir, AWriteGoesIntoIt) {
  const fs::path dir = ResolveProgramDir({"vexa", "--program-dir", text}, nullptr, "exe");
  ASSERT_TRUE(SettingsFile(dir / "cnc.ini").WriteSetting("Etching_image", text + "/Картинка.bmp"));
  EXPECT_EQ(folder.read("Программа/cnc.ini"),
            "[CNC]\r\nEtching_width=123\r\nEtching_image=" + text + "/Картинка.bmp\r\n")
      << "the path is kept as UTF-8 text";
}

// An executable laid out as an installed one (bin/ beside share/vexa/ with the defaults) and a
// home whose data folder starts empty.
class InstalledProgramDir : public testing::Test {
 protected:
  InstalledProgramDir() {
    fs::create_directories(folder / "usr/bin");
    fs::create_directories(folder / "usr/share/vexa");
    for (const char* name : kDefaults) folder.write(std::string("usr/share/vexa/") + name, name);
  }

  fs::path resolve(const Args& args = {"vexa"}, const char* variable = nullptr) const {
    return ResolveProgramDir(args, variable, folder / "usr/bin", folder / "data");
  }

  static constexpr const char* kDefaults[] = {"gepard2.jpg", "ornament.bmp", "neuro.net"};
  test::TempFolder folder;
};

TEST_F(InstalledProgramDir, EachUserGetsAFolderSeededWithTheDefaults) {
  EXPECT_EQ(resolve(), folder / "data/vexa");
  for (const char* name : kDefaults) EXPECT_EQ(folder.read(std::string("data/vexa/") + name), name);
  EXPECT_FALSE(fs::exists(folder / "usr/bin/cnc.ini"));
}

TEST_F(InstalledProgramDir, TheUsersOwnFilesAreNeverOverwritten) {
  fs::create_directories(folder / "data/vexa");
  folder.write("data/vexa/gepard2.jpg", "my picture");
  folder.write("data/vexa/cnc.ini", "[CNC]\r\nPort=/dev/ttyUSB0\r\n");
  EXPECT_EQ(resolve(), folder / "data/vexa");
  EXPECT_EQ(folder.read("data/vexa/gepard2.jpg"), "my picture");
  EXPECT_EQ(folder.read("data/vexa/cnc.ini"), "[CNC]\r\nPort=/dev/ttyUSB0\r\n");
  EXPECT_EQ(folder.read("data/vexa/neuro.net"), "neuro.net") << "a missing default is added";
}

TEST_F(InstalledProgramDir, TheOptionAndTheVariableStillWinAndNoUserFolderIsMade) {
  const std::string chosen = PathToUtf8(folder / "chosen");
  EXPECT_EQ(PathToUtf8(resolve({"vexa", "--program-dir", chosen})), chosen);
  EXPECT_EQ(PathToUtf8(resolve({"vexa"}, chosen.c_str())), chosen);
  EXPECT_FALSE(fs::exists(folder / "data/vexa"));
}

TEST_F(InstalledProgramDir, ABuildTreeKeepsItsOwnFolder) {
  fs::create_directories(folder / "build/bin");
  EXPECT_EQ(ResolveProgramDir({"vexa"}, nullptr, folder / "build/bin", folder / "data"),
            folder / "build/bin");
  EXPECT_FALSE(fs::exists(folder / "data/vexa"));
  EXPECT_EQ(ResolveProgramDir({"vexa"}, nullptr, folder / "usr/bin", ""), folder / "usr/bin")
      << "without a data folder to go to";
}

#ifndef _WIN32
TEST_F(InstalledProgramDir, AnExecutablesFolderThatCannotBeWrittenSendsTheUserHome) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write into any folder";
  fs::create_directories(folder / "opt/bin");
  fs::permissions(folder / "opt/bin", fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(ResolveProgramDir({"vexa"}, nullptr, folder / "opt/bin", folder / "data"),
            folder / "data/vexa");
  fs::permissions(folder / "opt/bin", fs::perms::owner_all);
}
#endif

}  // namespace
}  // namespace vexa::settings
