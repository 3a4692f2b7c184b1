// The real executable on a program folder named "Программа", given on the command line or in
// VEXA_PROGRAM_DIR: the laser window takes its default picture from there and writes work.bmp
// there, or names the missing picture with the folder's name as it is.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "picture/bmp_file.h"
#include "picture/picture_samples.h"
#include "settings/path_text.h"
#include "support/temp_folder.h"
#include "support/vexa_run.h"

namespace vexa::e2e {
namespace {

namespace fs = std::filesystem;

struct Road {
  const char* name;
  std::vector<std::string> arguments;
  std::string variable;
};

std::vector<Road> roadsTo(const std::string& dir) {
  return {{"--program-dir DIR", {"--program-dir", dir}, ""},
          {"--program-dir=DIR", {"--program-dir=" + dir}, ""},
          {"VEXA_PROGRAM_DIR", {}, dir},
          {"the option beats the variable", {"--program-dir", dir}, dir + "-no-such"}};
}

class CyrillicProgramFolder : public ::testing::Test {
 protected:
  CyrillicProgramFolder() { fs::create_directory(folder / "Программа"); }

  test::VexaRun openLaserWindow(const Road& road) const {
    return test::runVexa(folder, "menu etching_cl\nquit\n", road.arguments, road.variable);
  }

  test::TempFolder folder;
  std::string dir = settings::PathToUtf8(folder / "Программа");
};

TEST_F(CyrillicProgramFolder, TheDefaultPictureIsTakenFromItByEveryRoad) {
  picture::WriteBmpFile(picture::test::GrayPicture({{0, 255}, {255, 0}}),
                        folder / "Программа/gepard2.jpg");
  for (const Road& road : roadsTo(dir)) {
    SCOPED_TRACE(road.name);
    fs::remove(folder / "Программа/work.bmp");
    const test::VexaRun run = openLaserWindow(road);
    ASSERT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.transcript.find("\tФайл "), std::string::npos) << run.transcript;
    EXPECT_TRUE(fs::is_regular_file(folder / "Программа/work.bmp")) << run.transcript;
  }
}

TEST_F(CyrillicProgramFolder, AMissingDefaultPictureIsNamedWithTheFolder) {
  const test::VexaRun run = openLaserWindow(roadsTo(dir).front());
  ASSERT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_NE(run.transcript.find("message\tОшибка\tФайл " + dir +
                                "/gepard2.jpg не найден!\\r\\nВыберите другой файл!\n"),
            std::string::npos)
      << run.transcript;
}

}  // namespace
}  // namespace vexa::e2e
