// A window's picture wired to real widgets and the real decoder.

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

#include "picture/bmp_file.h"
#include "picture/picture_view.h"
#include "picture/qt_codec.h"
#include "picture/qt_picture_binding.h"
#include "picture/qt_pixel_image.h"
#include "picture_samples.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

namespace vexa::picture {
namespace {

class QtWindowPictureTest : public ::testing::Test {
 protected:
  QtWindowPictureTest()
      : view(new PictureView(&window)),
        path(new QLineEdit(&window)),
        panel(new QWidget(&window)),
        engrave(new QPushButton("Гравировать", &window)),
        stop(new QPushButton("Стоп", &window)),
        picture({folder.path(), "Etching1_image", 1, "Гравировка невозможна."}, prompts,
                QtPictureDecoder()) {
    BindPictureWidgets(picture, {view, path, {panel}, {engrave, stop}});
  }

  vexa::test::TempFolder folder;
  vexa::test::RecordingPrompts prompts;
  QWidget window;
  PictureView* view;
  QLineEdit* path;
  QWidget* panel;
  QPushButton* engrave;
  QPushButton* stop;
  WindowPicture picture;
};

TEST_F(QtWindowPictureTest, TheViewShowsTheWindowsOwnCopy) {
  EXPECT_EQ(view->picture(), &picture.copy());
}

TEST_F(QtWindowPictureTest, MissingFileHidesViewAndPanelsAndSwitchesButtonsOff) {
  picture.LoadWorkPictureOrReport((folder / "gepard2.jpg").string());
  EXPECT_TRUE(view->isHidden());
  EXPECT_TRUE(panel->isHidden());
  EXPECT_FALSE(engrave->isEnabled());
  EXPECT_FALSE(stop->isEnabled());
  ASSERT_EQ(prompts.messages.size(), 1u);
}

TEST_F(QtWindowPictureTest, ChosenPngWithTransparencyComesInWhiteAndGray) {
  QImage image(4, 2, QImage::Format_ARGB32);
  image.fill(qRgba(0, 0, 0, 0));
  image.setPixel(0, 0, qRgba(0, 0, 255, 255));  // opaque blue
  ASSERT_TRUE(image.save(ToQString(folder / "logo.png")));
  picture.LoadWorkPictureOrReport((folder / "missing.png").string());
  prompts.chosenFiles.push_back((folder / "logo.png").string());

  picture.OpenPicture();

  EXPECT_EQ(path->text().toStdString(), (folder / "logo.png").string());
  EXPECT_FALSE(view->isHidden());
  EXPECT_FALSE(panel->isHidden());
  EXPECT_TRUE(engrave->isEnabled());
  EXPECT_TRUE(stop->isEnabled());
  const BmpPicture work = ReadBmpFile(folder / "work.bmp");
  EXPECT_EQ(work.bitsPerPixel, 24);
  EXPECT_EQ(test::Levels(work.pixels),
            (std::vector<std::vector<int>>{{76, 255, 255, 255}, {255, 255, 255, 255}}));
  EXPECT_EQ(picture.copy(), work.pixels);
}

TEST_F(QtWindowPictureTest, ARememberedFileThatDoesNotDecodeLeavesTheWindowWithoutPicture) {
  folder.write("gepard2.jpg", std::string("\xFF\xD8\xFF\xE0 broken", 12));
  EXPECT_FALSE(picture.LoadWorkPictureOrReport((folder / "gepard2.jpg").string()));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Ошибка");
  EXPECT_EQ(prompts.messages[0].text, "Ошибка открытия файла!");
  EXPECT_TRUE(view->isHidden());
  EXPECT_FALSE(engrave->isEnabled());
  EXPECT_TRUE(view->drawnRect().isEmpty());
}

TEST_F(QtWindowPictureTest, FourCopiesForTheFigureWindows) {
  WindowPicture figures({folder.path(), "Image", 4, "Фрезеровка невозможна."}, prompts,
                        QtPictureDecoder());
  SavePicture(test::NoisePicture(30, 20, 1), folder / "ornament.gif", 2, 75);
  ASSERT_TRUE(figures.LoadWorkPictureOrReport((folder / "ornament.gif").string()));
  for (int i = 1; i < 4; ++i) EXPECT_EQ(figures.copy(i), figures.copy(0));
  EXPECT_EQ(figures.width(), 30);
}

// The build puts the default files beside the executable.
TEST(DefaultFiles, LoadAsTheWindowsExpect) {
  const std::filesystem::path programDir = std::filesystem::path(VEXA_EXE_PATH).parent_path();
  const PixelBuffer gepard = LoadPictureFile(programDir / "gepard2.jpg");
  EXPECT_EQ(gepard.width(), 800);
  EXPECT_EQ(gepard.height(), 600);
  EXPECT_TRUE(gepard.isGray());

  const BmpPicture ornament = ReadBmpFile(programDir / "ornament.bmp");
  EXPECT_EQ(ornament.bitsPerPixel, 24);
  int black = 0;
  for (int y = 1; y <= ornament.pixels.height(); ++y) {
    for (int x = 1; x <= ornament.pixels.width(); ++x) {
      const int level = ornament.pixels.gray(x, y);
      ASSERT_TRUE(level == 0 || level == 255);
      black += level == 0;
    }
  }
  EXPECT_GT(black, 0);
  EXPECT_TRUE(ornament.pixels.isGray());
  EXPECT_TRUE(settings::FileExists(programDir / "neuro.net"));
}

}  // namespace
}  // namespace vexa::picture
