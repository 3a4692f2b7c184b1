// The raster windows' picture: fitted to one pixel per spot diameter, and the size fields.

#include "picture/raster_picture.h"

#include <gtest/gtest.h>

#include <map>

#include "picture/picture_messages.h"
#include "window_picture_fixture.h"

namespace vexa::picture {
namespace {

class RasterPictureTest : public ::testing::Test {
 protected:
  RasterPictureTest()
      : picture({folder.path(), "Etching_image", 1, "Гравировка невозможна."}, prompts,
                bmp.decoder()),
        raster(picture, settings, prompts) {
    picture.setHooks(screen.hooks());
    raster.setFieldHook([this](SizeField field, const std::string& text) { shown[field] = text; });
    WriteBmpFile(test::Gradient(400, 300), folder / "a.bmp");
  }

  // The window's opening with the design values and a.bmp remembered.
  void open() {
    raster.setLoading(true);
    picture.setPath((folder / "a.bmp").string());
    raster.fieldEdited(SizeField::SpotDiameter, "0,2");
    raster.fieldEdited(SizeField::TargetWidth, "200");
    raster.FinishOpening();
  }

  void type(SizeField field, const std::string& text) { raster.fieldEdited(field, text); }

  vexa::test::TempFolder folder;
  test::DialogPrompts prompts;
  test::ScreenRecord screen;
  test::BmpDecoder bmp;
  link::MachineSettings settings;  // SM_X_ratio 0.005
  WindowPicture picture;
  RasterPicture raster;
  std::map<SizeField, std::string> shown;
};

TEST_F(RasterPictureTest, OpeningFitsOnceAndDerivesTheHeight) {
  open();
  EXPECT_EQ(bmp.calls, 1);
  EXPECT_EQ(picture.width(), 1000);
  EXPECT_EQ(picture.height(), 750);
  EXPECT_EQ(raster.text(SizeField::TargetHeight), "150");
  EXPECT_EQ(shown[SizeField::TargetHeight], "150");
  EXPECT_EQ(screen.buttonsEnabled, true);
}

TEST_F(RasterPictureTest, NothingLoadsWhileTheWindowReadsItsSettings) {
  raster.setLoading(true);
  picture.setPath((folder / "a.bmp").string());
  type(SizeField::SpotDiameter, "0,4");
  raster.RefreshPicture();
  EXPECT_EQ(bmp.calls, 0);
}

TEST_F(RasterPictureTest, MissingRememberedPictureLeavesTheHeightAlone) {
  raster.setLoading(true);
  picture.setPath((folder / "gone.bmp").string());
  raster.FinishOpening();
  EXPECT_FALSE(picture.hasPicture());
  EXPECT_EQ(raster.text(SizeField::TargetHeight), "100");
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(screen.panelsShown, false);
}

TEST_F(RasterPictureTest, ASpotDiameterAboveZeroRefitsAtOnce) {
  open();
  type(SizeField::SpotDiameter, "0,4");
  EXPECT_EQ(bmp.calls, 2);
  EXPECT_EQ(picture.width(), 500);
  EXPECT_EQ(picture.height(), 375);
  type(SizeField::SpotDiameter, "0");
  type(SizeField::SpotDiameter, "0,");
  type(SizeField::SpotDiameter, "x");
  EXPECT_EQ(bmp.calls, 2);
  EXPECT_EQ(picture.width(), 500);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(RasterPictureTest, ArrowsMoveTheSpotDiameterByOneStepAndRefit) {
  open();
  raster.SpotDiameterArrowUp();
  EXPECT_EQ(shown[SizeField::SpotDiameter], "0,205");
  EXPECT_EQ(picture.width(), 976);  // nearest(200 / 0.205)
  raster.SpotDiameterArrowDown();
  raster.SpotDiameterArrowDown();
  EXPECT_EQ(raster.text(SizeField::SpotDiameter), "0,195");
  EXPECT_EQ(picture.width(), 1026);
  EXPECT_EQ(bmp.calls, 4);
}

TEST_F(RasterPictureTest, LeavingTheSpotDiameterSnapsToWholeSteps) {
  open();
  type(SizeField::SpotDiameter, "0,2023");
  const int loads = bmp.calls;
  raster.SpotDiameterLeft();
  EXPECT_EQ(shown[SizeField::SpotDiameter], "0,2");
  EXPECT_EQ(bmp.calls, loads + 1);
  EXPECT_EQ(picture.width(), 1000);
}

TEST_F(RasterPictureTest, LettersInTheSpotDiameterBecomeOneAfterAWarning) {
  open();
  type(SizeField::SpotDiameter, "abc");
  raster.SpotDiameterLeft();
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Внимание");
  EXPECT_EQ(prompts.messages[0].text,
            "Неверное значение диаметра пятна, будет установлено значение по умолчанию");
  EXPECT_EQ(shown[SizeField::SpotDiameter], "1");
  EXPECT_EQ(picture.width(), 200);  // refitted at 1 mm
}

TEST_F(RasterPictureTest, ZeroSpotDiameterStaysZeroWithoutRefit) {
  open();
  type(SizeField::SpotDiameter, "0");
  const int loads = bmp.calls;
  raster.SpotDiameterLeft();
  EXPECT_EQ(raster.text(SizeField::SpotDiameter), "0");
  EXPECT_EQ(bmp.calls, loads);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(RasterPictureTest, WidthRefitsOnlyWhenTheHeightMovesByTwoTenths) {
  open();
  type(SizeField::TargetWidth, "200,2");  // height 150.15: 0.15 from 150
  raster.TargetWidthLeft();
  EXPECT_EQ(bmp.calls, 1);
  EXPECT_EQ(raster.text(SizeField::TargetHeight), "150");
  EXPECT_EQ(picture.width(), 1000);

  type(SizeField::TargetWidth, "201");  // height 150.75
  raster.TargetWidthLeft();
  EXPECT_EQ(bmp.calls, 2);
  EXPECT_EQ(shown[SizeField::TargetHeight], "150,75");
  EXPECT_EQ(picture.width(), 1005);
  EXPECT_EQ(picture.height(), 754);  // nearest(1005 x 300 / 400 = 753.75)
}

TEST_F(RasterPictureTest, HeightRefitsOnlyWhenTheWidthMovesByTwoTenths) {
  open();
  type(SizeField::TargetHeight, "150,1");  // width 200.13
  raster.TargetHeightLeft();
  EXPECT_EQ(bmp.calls, 1);
  EXPECT_EQ(raster.text(SizeField::TargetWidth), "200");

  type(SizeField::TargetHeight, "151");  // width 201.33
  raster.TargetHeightLeft();
  EXPECT_EQ(bmp.calls, 2);
  EXPECT_EQ(shown[SizeField::TargetWidth], "201,33");
  EXPECT_EQ(picture.width(), 1007);
}

TEST_F(RasterPictureTest, AWidthThatIsNotAPositiveNumberIsReset) {
  open();
  type(SizeField::TargetWidth, "-");
  raster.TargetWidthLeft();
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Внимание");
  EXPECT_EQ(prompts.messages[0].text, kTargetWidthResetText);
  EXPECT_EQ(shown[SizeField::TargetWidth], "200");
  EXPECT_EQ(picture.width(), 1000);
}

TEST_F(RasterPictureTest, AHeightThatIsNotANumberIsDerivedAgain) {
  open();
  type(SizeField::TargetHeight, "");
  raster.TargetHeightLeft();
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].text, kTargetHeightResetText);
  EXPECT_EQ(shown[SizeField::TargetHeight], "150");
}

TEST_F(RasterPictureTest, ANewPictureIsFittedEvenWhenItsProportionsMatch) {
  open();
  WriteBmpFile(test::Gradient(800, 600), folder / "b.bmp");
  prompts.chosenFiles.push_back((folder / "b.bmp").string());
  raster.OpenPicture();
  EXPECT_EQ(raster.text(SizeField::TargetHeight), "150");
  EXPECT_EQ(picture.width(), 1000);
  EXPECT_EQ(picture.height(), 750);
  EXPECT_EQ(bmp.calls, 2);  // decoded once, not reloaded to fit
}

TEST_F(RasterPictureTest, ANewPictureOfOtherProportionsSetsTheHeight) {
  open();
  WriteBmpFile(test::Gradient(300, 300), folder / "c.bmp");
  prompts.chosenFiles.push_back((folder / "c.bmp").string());
  raster.OpenPicture();
  EXPECT_EQ(shown[SizeField::TargetHeight], "200");
  EXPECT_EQ(picture.width(), 1000);
  EXPECT_EQ(picture.height(), 1000);
  EXPECT_EQ(settings::SettingsFile(folder / "cnc.ini").ReadSetting("Etching_image", ""),
            (folder / "c.bmp").string());
}

TEST_F(RasterPictureTest, ToneStepsRunOnEveryFreshlyFittedPicture) {
  int runs = 0;
  raster.setToneSteps([&](PixelBuffer& fitted) {
    ++runs;
    EXPECT_EQ(fitted.width(), picture.width());
    fitted.setGray(1, 1, 7);
  });
  open();
  type(SizeField::SpotDiameter, "0,4");
  EXPECT_EQ(runs, 2);
  EXPECT_EQ(picture.copy().gray(1, 1), 7);
}

TEST_F(RasterPictureTest, ASizeNoPictureCanHaveIsRefusedAndWorkSwitchedOff) {
  open();
  type(SizeField::SpotDiameter, "0,001");  // 200000 pixels across
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Внимание");
  EXPECT_EQ(prompts.messages[0].text.rfind("Картинку нельзя подогнать: получается 200000 x "
                                           "150000 точек",
                                           0),
            0u);
  EXPECT_EQ(screen.buttonsEnabled, false);
  EXPECT_EQ(picture.width(), 400);  // as loaded
}

}  // namespace
}  // namespace vexa::picture
