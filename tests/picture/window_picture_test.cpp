// Taking a picture into a window: work.bmp, the copies, the messages, the open-file dialog.

#include "picture/window_picture.h"

#include <gtest/gtest.h>

#include "link/event_pump.h"
#include "picture_samples.h"
#include "window_picture_fixture.h"

namespace vexa::picture {
namespace {

using Rows = std::vector<std::vector<int>>;

class WindowPictureTest : public ::testing::Test {
 protected:
  WindowPicture makePicture(int copies, std::filesystem::path programDir = {}) {
    if (programDir.empty()) programDir = folder.path();
    WindowPicture picture({programDir, "Image", copies, "Фрезеровка невозможна."}, prompts,
                          bmp.decoder());
    picture.setHooks(screen.hooks());
    return picture;
  }

  std::string writeColourPicture() {
    PixelBuffer colour(2, 2);
    colour.setColor(1, 1, 0, 0, 255);  // red
    colour.setColor(2, 1, 0, 255, 0);  // green
    colour.setColor(1, 2, 255, 0, 0);  // blue
    WriteBmpFile(colour, folder / "colour.bmp");
    return (folder / "colour.bmp").string();
  }

  vexa::test::TempFolder folder;
  test::DialogPrompts prompts;
  test::ScreenRecord screen;
  test::BmpDecoder bmp;
};

TEST_F(WindowPictureTest, LoadWritesTheGrayWorkBmpAndFillsEveryCopy) {
  WindowPicture picture = makePicture(4);
  picture.LoadWorkPicture(writeColourPicture());

  const BmpPicture work = ReadBmpFile(folder / "work.bmp");
  EXPECT_EQ(work.bitsPerPixel, 24);
  EXPECT_EQ(test::Levels(work.pixels), (Rows{{28, 153}, {76, 255}}));
  EXPECT_TRUE(work.pixels.isGray());
  ASSERT_EQ(picture.copyCount(), 4);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(picture.copy(i), work.pixels) << i;
  EXPECT_EQ(screen.panelsShown, true);
  EXPECT_EQ(screen.buttonsEnabled, true);
  EXPECT_GE(screen.redraws, 1);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(WindowPictureTest, MissingFileHidesThePanelsAndLeavesNoPicture) {
  WindowPicture picture = makePicture(1);
  picture.LoadWorkPicture(writeColourPicture());
  const std::string missing = (folder / "gone.jpg").string();
  picture.LoadWorkPicture(missing);

  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Ошибка");
  EXPECT_EQ(prompts.messages[0].text, "Файл " + missing + " не найден!\r\nВыберите другой файл!");
  EXPECT_FALSE(picture.hasPicture());
  EXPECT_EQ(screen.panelsShown, false);
  EXPECT_EQ(screen.buttonsEnabled, false);
}

TEST_F(WindowPictureTest, UndecodableFileRaisesCannotLoadAndLeavesNoPicture) {
  WindowPicture picture = makePicture(4);
  picture.LoadWorkPicture(writeColourPicture());
  folder.write("broken.bmp", "BM not really");
  try {
    picture.LoadWorkPicture((folder / "broken.bmp").string());
    FAIL() << "no error";
  } catch (const settings::VexaError& error) {
    EXPECT_EQ(error.number(), 5);
    EXPECT_EQ(error.description(), "Cannot load file");
  }
  EXPECT_FALSE(picture.hasPicture());
  EXPECT_TRUE(picture.copy(3).empty());
  EXPECT_EQ(screen.buttonsEnabled, false);
}

TEST_F(WindowPictureTest, ReportingLoadShowsTheOpenErrorInstead) {
  WindowPicture picture = makePicture(1);
  folder.write("broken.bmp", "");
  EXPECT_FALSE(picture.LoadWorkPictureOrReport((folder / "broken.bmp").string()));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Ошибка");
  EXPECT_EQ(prompts.messages[0].text, "Ошибка открытия файла!");
  EXPECT_EQ(screen.panelsShown, false);
  EXPECT_EQ(screen.buttonsEnabled, false);
}

TEST_F(WindowPictureTest, AWorkFileThatCannotBeWrittenIsNamed) {
  const std::string source = writeColourPicture();
  WindowPicture picture = makePicture(1, folder / "no-such-folder");
  EXPECT_FALSE(picture.LoadWorkPictureOrReport(source));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, "Ошибка открытия файла!\r\nНе удалось записать файл " +
                                          (folder / "no-such-folder" / "work.bmp").string() + ".");
}

TEST_F(WindowPictureTest, APictureBeyondTheLimitsIsNamedWithItsSize) {
  WindowPicture picture(
      {folder.path(), "Image", 1, ""}, prompts,
      [](const std::filesystem::path&) -> PixelBuffer { throw PictureTooLarge(30000, 20000); });
  EXPECT_FALSE(picture.LoadWorkPictureOrReport(writeColourPicture()));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text.rfind(
                "Ошибка открытия файла!\r\nКартинка слишком велика: 30000 x 20000 точек", 0),
            0u);
}

TEST_F(WindowPictureTest, OpenPictureAsksWritesTheKeyLoadsThenRunsTheWidthRule) {
  WindowPicture picture = makePicture(4);
  const std::string chosen = writeColourPicture();
  prompts.chosenFiles.push_back(chosen);
  int widthRuleRuns = 0;
  picture.OpenPicture([&] {
    ++widthRuleRuns;
    EXPECT_TRUE(picture.hasPicture());
  });

  EXPECT_EQ(prompts.fileDialogTitles, std::vector<std::string>{"Открыть картинку"});
  ASSERT_EQ(prompts.filters.size(), 2u);
  EXPECT_EQ(prompts.filters[0].description, "Pictures");
  EXPECT_EQ(prompts.filters[0].patterns, "*.bmp;*.jpg;*.jpeg;*.png;*.gif");
  EXPECT_EQ(prompts.filters[1].description, "All Files (*.*)");
  EXPECT_EQ(prompts.filters[1].patterns, "*.*");
  EXPECT_EQ(prompts.initialFolder, folder.path().string());
  EXPECT_EQ(picture.path(), chosen);
  EXPECT_EQ(screen.pathShown, chosen);
  EXPECT_EQ(settings::SettingsFile(folder / "cnc.ini").ReadSetting("Image", ""), chosen);
  EXPECT_EQ(widthRuleRuns, 1);
  EXPECT_EQ(picture.width(), 2);
}

TEST_F(WindowPictureTest, CancelledDialogChangesNothing) {
  WindowPicture picture = makePicture(1);
  picture.setPath("/old/path.jpg");
  picture.OpenPicture([] { ADD_FAILURE() << "width rule ran"; });
  EXPECT_EQ(picture.path(), "/old/path.jpg");
  EXPECT_FALSE(std::filesystem::exists(folder / "cnc.ini"));
  EXPECT_TRUE(prompts.messages.empty());
  EXPECT_EQ(bmp.calls, 0);
}

TEST_F(WindowPictureTest, BrokenChoiceIsRememberedAndReported) {
  WindowPicture picture = makePicture(1);
  folder.write("random.png", std::string(300, '\x5A'));
  const std::string chosen = (folder / "random.png").string();
  prompts.chosenFiles.push_back(chosen);
  picture.OpenPicture([] { ADD_FAILURE() << "width rule ran"; });

  EXPECT_EQ(settings::SettingsFile(folder / "cnc.ini").ReadSetting("Image", ""), chosen);
  EXPECT_EQ(screen.pathShown, chosen);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Ошибка");
  EXPECT_EQ(prompts.messages[0].text, "Ошибка открытия файла!");
  EXPECT_FALSE(picture.hasPicture());
}

TEST_F(WindowPictureTest, RedrawPictureLetsEventsThroughWhenAPumpIsGiven) {
  struct CountingPump : link::EventPump {
    int runs = 0;
    void processPendingEvents() override { ++runs; }
  } pump;
  WindowPicture picture = makePicture(1);
  picture.RedrawPicture();
  picture.setEventPump(&pump);
  picture.RedrawPicture();
  picture.requestRedraw();
  EXPECT_EQ(pump.runs, 1);
  EXPECT_EQ(screen.redraws, 3);
}

}  // namespace
}  // namespace vexa::picture
