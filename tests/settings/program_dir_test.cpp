// The program folder from the command line, the environment or the executable's place, also when
// its name is Cyrillic: cnc.ini and the default pictures are found in it.

#include "settings/program_dir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

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

}  // namespace
}  // namespace vexa::settings
