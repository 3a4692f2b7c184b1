// The raster windows' size fields on the screen: typing, arrow keys, leaving a field.

#include "picture/qt_raster_size_fields.h"

#include <gtest/gtest.h>

#include <QFocusEvent>
#include <QLineEdit>
#include <QTest>
#include <QWidget>

#include "picture/bmp_file.h"
#include "picture/qt_picture_binding.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"
#include "window_picture_fixture.h"

namespace vexa::picture {
namespace {

class QtRasterSizeFieldsTest : public ::testing::Test {
 protected:
  QtRasterSizeFieldsTest()
      : text5(new QLineEdit(&window)),
        text6(new QLineEdit(&window)),
        text7(new QLineEdit(&window)),
        picture({folder.path(), "Etching_image", 1, "Гравировка невозможна."}, prompts,
                QtPictureDecoder()),
        raster(picture, settings, prompts),
        fields(new RasterSizeFields(raster, text5, text6, text7)) {
    WriteBmpFile(test::Gradient(400, 300), folder / "a.bmp");
  }

  // The window's opening: settings into the fields while loading, then the first refresh.
  void open(const QString& spotDiameter = "0,2") {
    raster.setLoading(true);
    picture.setPath((folder / "a.bmp").string());
    text5->setText(spotDiameter);
    text6->setText("200");
    raster.FinishOpening();
  }

  static void leave(QLineEdit* field, Qt::FocusReason reason = Qt::TabFocusReason) {
    QFocusEvent focusOut(QEvent::FocusOut, reason);
    QCoreApplication::sendEvent(field, &focusOut);
  }

  vexa::test::TempFolder folder;
  vexa::test::RecordingPrompts prompts;
  link::MachineSettings settings;
  QWidget window;
  QLineEdit* text5;
  QLineEdit* text6;
  QLineEdit* text7;
  WindowPicture picture;
  RasterPicture raster;
  RasterSizeFields* fields;
};

// The rules themselves are tested on RasterPicture; here, that every event reaches its rule and
// the rules' texts reach the fields.

TEST_F(QtRasterSizeFieldsTest, AttachingShowsTheDesignValuesAndOpeningTheDerivedHeight) {
  EXPECT_EQ(text5->text(), "0,2");
  EXPECT_EQ(text6->text(), "200");
  EXPECT_EQ(text7->text(), "100");
  EXPECT_EQ(fields->parent(), text5);
  open();
  EXPECT_EQ(picture.width(), 1000);
  EXPECT_EQ(text7->text(), "150");
}

TEST_F(QtRasterSizeFieldsTest, ArrowKeysAndTypingReachTheSpotDiameter) {
  open();
  QTest::keyClick(text5, Qt::Key_Up);
  EXPECT_EQ(text5->text(), "0,205");
  EXPECT_EQ(picture.width(), 976);
  QTest::keyClick(text5, Qt::Key_Down);
  EXPECT_EQ(text5->text(), "0,2");
  text5->clear();
  QTest::keyClicks(text5, "0,4");
  EXPECT_EQ(picture.width(), 500);
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(QtRasterSizeFieldsTest, LeavingTheSpotDiameterWithLettersResetsItToOne) {
  open();
  text5->setText("abc");
  leave(text5);
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Внимание");
  EXPECT_EQ(prompts.messages[0].text,
            "Неверное значение диаметра пятна, будет установлено значение по умолчанию");
  EXPECT_EQ(text5->text(), "1");
  EXPECT_EQ(picture.width(), 200);
}

TEST_F(QtRasterSizeFieldsTest, SwitchingWindowsIsNotLeavingTheField) {
  open();
  text5->setText("abc");
  leave(text5, Qt::ActiveWindowFocusReason);
  leave(text5, Qt::PopupFocusReason);
  EXPECT_EQ(text5->text(), "abc");
  EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(QtRasterSizeFieldsTest, LeavingWidthOrHeightRunsTheirRules) {
  open();
  text7->setText("151");
  leave(text7);
  EXPECT_EQ(text6->text(), "201,33");  // 151 x 1000 / 750
  EXPECT_EQ(picture.width(), 1007);
  EXPECT_EQ(picture.height(), 755);
  text6->setText("202");
  leave(text6);
  EXPECT_EQ(text7->text(), "151,45");  // 202 x 755 / 1007
  EXPECT_EQ(picture.width(), 1010);
}

}  // namespace
}  // namespace vexa::picture
