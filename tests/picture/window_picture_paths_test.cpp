// A window takes its picture from folders and files with Cyrillic names: the program folder
// "Программа", the picture "Картинка.bmp", by every road a path comes from (the file dialog, the
// path remembered in cnc.ini, the built-in default), and the messages name them as they are.

#include <gtest/gtest.h>

#include "picture/window_picture.h"
#include "picture_samples.h"
#include "settings/path_text.h"
#include "settings/settings_keys.h"
#include "window_picture_fixture.h"

namespace vexa::picture {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::vector<int>>;

class CyrillicPicturePaths : public ::testing::Test {
 protected:
  CyrillicPicturePaths() {
    fs::create_directories(folder / "Программа");
    fs::create_directories(folder / "Мои картинки");
    WriteBmpFile(test::GrayPicture({{0, 255}, {255, 0}}), folder / "Мои картинки/Картинка.bmp");
  }

  WindowPicture makePicture(const std::string& key = "Etching_image") {
    WindowPicture picture({programDir, key, 1, "Гравировка невозможна."}, prompts, bmp.decoder());
    picture.setHooks(screen.hooks());
    return picture;
  }

  // Loaded, with work.bmp written into the Cyrillic program folder.
  void expectLoaded(const WindowPicture& picture) const {
    EXPECT_TRUE(prompts.messages.empty()) << prompts.messages.front().text;
    ASSERT_TRUE(picture.hasPicture());
    EXPECT_EQ(test::Levels(picture.copy()), (Rows{{0, 255}, {255, 0}}));
    EXPECT_EQ(picture.workPicturePath(), programDir / "work.bmp");
    EXPECT_TRUE(settings::FileExists(programDir / "work.bmp"));
  }

  vexa::test::TempFolder folder;
  fs::path programDir = folder / "Программа";
  std::string pictureText = settings::PathToUtf8(folder / "Мои картинки/Картинка.bmp");
  test::DialogPrompts prompts;
  test::ScreenRecord screen;
  test::BmpDecoder bmp;
};

TEST_F(CyrillicPicturePaths, AFileChosenInTheDialogIsLoadedAndRemembered) {
  WindowPicture picture = makePicture();
  prompts.chosenFiles.push_back(pictureText);
  picture.OpenPicture();
  expectLoaded(picture);
  EXPECT_EQ(prompts.initialFolder, settings::PathToUtf8(programDir));
  EXPECT_EQ(screen.pathShown, pictureText);
  EXPECT_EQ(folder.read("Программа/cnc.ini"), "[CNC]\nEtching_image=" + pictureText + "\n")
      << "stored as UTF-8 text";
}

TEST_F(CyrillicPicturePaths, ARememberedPictureIsLoaded) {
  folder.write("Программа/cnc.ini", "[CNC]\r\nEtching_image=" + pictureText + "\r\n");
  WindowPicture picture = makePicture();
  const std::string remembered =
      settings::SettingsFile(programDir / "cnc.ini")
          .ReadSetting("Etching_image", settings::BuiltinDefault("Etching_image", programDir));
  EXPECT_EQ(remembered, pictureText);
  picture.setPath(remembered);
  EXPECT_TRUE(picture.LoadWorkPictureOrReport(picture.path()));
  expectLoaded(picture);
}

TEST_F(CyrillicPicturePaths, TheDefaultPictureOfTheProgramFolderIsLoaded) {
  fs::copy_file(folder / "Мои картинки/Картинка.bmp", programDir / "gepard2.jpg");
  WindowPicture picture = makePicture();
  EXPECT_TRUE(
      picture.LoadWorkPictureOrReport(settings::BuiltinDefault("Etching_image", programDir)));
  expectLoaded(picture);
}

TEST_F(CyrillicPicturePaths, AMissingFileIsNamedAsItIs) {
  WindowPicture picture = makePicture();
  const std::string missing = settings::BuiltinDefault("Etching_image", programDir);
  EXPECT_FALSE(picture.LoadWorkPictureOrReport(missing));
  ASSERT_EQ(prompts.messages.size(), 1u);
  const std::string separator(1, static_cast<char>(fs::path::preferred_separator));
  EXPECT_EQ(prompts.messages[0].text, "Файл " + settings::PathToUtf8(programDir) + separator +
                                          "gepard2.jpg не найден!\r\nВыберите другой файл!");
}

TEST_F(CyrillicPicturePaths, AWorkFileThatCannotBeWrittenIsNamedAsItIs) {
  fs::create_directory(programDir / "work.bmp");  // a folder in its place
  WindowPicture picture = makePicture();
  EXPECT_FALSE(picture.LoadWorkPictureOrReport(pictureText));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, "Ошибка открытия файла!\r\nНе удалось записать файл " +
                                          settings::PathToUtf8(programDir / "work.bmp") + ".");
}

}  // namespace
}  // namespace vexa::picture
