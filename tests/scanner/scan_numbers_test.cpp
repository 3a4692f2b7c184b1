// The numbers a scan and the height picture take from the fields: mesh and area checks, picture
// sizes, the dragged box in whole grid steps, the coupled area fields and the stored settings.

#include "scanner/scan_numbers.h"

#include <gtest/gtest.h>

#include "scanner/picture_size.h"
#include "scanner/scanner_settings.h"
#include "support/temp_folder.h"

namespace vexa::scanner {
namespace {

struct NumbersCase {
  ScanFieldTexts texts;
  std::string problem;  // empty: accepted
};

class ScanNumbersCases : public ::testing::TestWithParam<NumbersCase> {};

TEST_P(ScanNumbersCases, RefuseWithTheFirstProblem) {
  const auto& [texts, problem] = GetParam();
  const auto numbers = ReadScanNumbers(texts);
  if (problem.empty()) {
    EXPECT_TRUE(std::holds_alternative<ScanNumbers>(numbers));
  } else {
    ASSERT_TRUE(std::holds_alternative<ScanProblem>(numbers));
    EXPECT_EQ(std::get<ScanProblem>(numbers).text, problem);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, ScanNumbersCases,
    ::testing::Values(NumbersCase{{"6", "5", "100", "100"}, ""},
                      NumbersCase{{"2", "1", "100", ""}, ""},  // one row needs no area height
                      NumbersCase{{"5", "5", "100", "100"}, kOddMeshWidthText},
                      NumbersCase{{"5", "4", "100", "100"}, kOddMeshWidthText},
                      NumbersCase{{"6", "4", "100", "100"}, kEvenMeshHeightText},
                      NumbersCase{{"6", "0", "100", "100"}, kEvenMeshHeightText},
                      NumbersCase{{"0", "5", "100", "100"}, kMeshWidthRangeText},
                      NumbersCase{{"", "5", "100", "100"}, kMeshWidthRangeText},
                      NumbersCase{{"1000", "5", "100", "100"}, kMeshWidthRangeText},
                      NumbersCase{{"6", "1001", "100", "100"}, kMeshHeightRangeText},
                      NumbersCase{{"6", "5", "abc", "100"}, kAreaWidthText},
                      NumbersCase{{"6", "5", "0", "100"}, kAreaWidthText},
                      NumbersCase{{"6", "5", "100", "-3"}, kAreaHeightText}));

TEST(ScanNumbers, MeshProblemsCarryTheScannerTitleAndDecimalsTheComma) {
  EXPECT_EQ(std::get<ScanProblem>(ReadScanNumbers({"5", "5", "1", "1"})).caption, "Zuridid IRA");
  EXPECT_EQ(std::get<ScanProblem>(ReadScanNumbers({"6", "5", "x", "1"})).caption, "Ошибка");
  const auto numbers = std::get<ScanNumbers>(ReadScanNumbers({"4", "3", "12,5", "7.5"}));
  EXPECT_EQ(numbers.nx, 4);
  EXPECT_EQ(numbers.ny, 3);
  EXPECT_DOUBLE_EQ(numbers.areaWidth, 12.5);
  EXPECT_DOUBLE_EQ(numbers.areaHeight, 7.5);
  EXPECT_EQ(GridPointsOf(""), 0);
  EXPECT_EQ(GridPointsOf("7"), 7);
  EXPECT_EQ(GridPointsOf("5000"), kMaxMeshPoints);
}

TEST(PictureSize, TheFieldsAreWholeSidesWhoseBoxStaysWithinThePictureLimits) {
  EXPECT_EQ(std::get<PictureSize>(ReadPictureSize("275", "200,4")).height, 200);
  EXPECT_EQ(std::get<std::string>(ReadPictureSize("0", "200")), kPictureWidthText);
  EXPECT_EQ(std::get<std::string>(ReadPictureSize("200", "abc")), kPictureHeightText);
  EXPECT_EQ(std::get<std::string>(ReadPictureSize("19979", "200")), kPictureWidthText);
  EXPECT_EQ(std::get<std::string>(ReadPictureSize("19978", "19978")), kPictureTooLargeText);
}

TEST(PictureSize, ADraggedBoxHoldsWholeGridSteps) {
  EXPECT_EQ(PictureSideForBox(300, 6), 275);  // 5 x ((300 - 22) div 5)
  EXPECT_EQ(PictureSideForBox(222, 5), 200);
  EXPECT_EQ(PictureSideForBox(222, 4), 198);
  EXPECT_EQ(PictureSideForBox(222, 1), 0);
  const DraggedBox wide = DragBox({222, 222}, {300, 40});
  EXPECT_EQ(wide.box, (BoxSize{300, 222}));
  EXPECT_TRUE(wide.widthTaken);
  EXPECT_FALSE(wide.heightTaken);  // not above 1000 twips
  EXPECT_EQ(DragBox({222, 222}, {66, 67}).box, (BoxSize{222, 67}));
  const DraggedBox beyond = DragBox({222, 222}, {20001, 300});
  EXPECT_EQ(beyond.box, (BoxSize{222, 222}));
  EXPECT_FALSE(beyond.widthTaken || beyond.heightTaken);
}

struct CoupledCase {
  const char *resultSide, *givenSide, *givenArea;
  std::optional<std::string> expected;
};

class CoupledAreaCases : public ::testing::TestWithParam<CoupledCase> {};

TEST_P(CoupledAreaCases, KeepThePictureProportions) {
  const auto& c = GetParam();
  EXPECT_EQ(CoupledAreaText(c.resultSide, c.givenSide, c.givenArea), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CoupledAreaCases,
    ::testing::Values(CoupledCase{"200", "200", "100", "100"},
                      CoupledCase{"100", "300", "100", "33"},    // 10000 div 300
                      CoupledCase{"150", "200", "100,5", "75"},  // nearest(15075) div 200
                      CoupledCase{"200", "0", "100", ""},        // no width to divide by
                      CoupledCase{"200", "0,4", "100", ""},      // rounds to 0 as well
                      CoupledCase{"abc", "200", "100", ""},
                      CoupledCase{"200", "200", "abc", std::nullopt}));  // left as it is

TEST(ScannerSettings, DefaultsStandInForMissingAndUnusableValues) {
  test::TempFolder folder;
  settings::SettingsFile file(folder / "cnc.ini");
  ScannerSettings read = ReadScannerSettings(file);
  EXPECT_EQ(read.meshWidth, "6");
  EXPECT_EQ(read.meshHeight, "5");
  EXPECT_EQ(read.areaWidth, "100");
  EXPECT_EQ(read.pictureWidth, "200");
  EXPECT_EQ(read.pictureHeight, "200");

  folder.write("cnc.ini",
               "[CNC]\r\nscanner_mesh_width=4\r\nscanner_mesh_height=abc\r\n"
               "scanner_area_width=80,5\r\nscanner_picture_width=1e9\r\n"
               "scanner_picture_height=150\r\n");
  read = ReadScannerSettings(file);
  EXPECT_EQ(read.meshWidth, "4");
  EXPECT_EQ(read.meshHeight, "5");
  EXPECT_EQ(read.areaWidth, "80,5");
  EXPECT_EQ(read.pictureWidth, "200");
  EXPECT_EQ(read.pictureHeight, "150");

  WriteScannerSettings(file, {"8", "7", "50", "300", "301"});
  EXPECT_EQ(file.ReadSetting("scanner_mesh_width", ""), "8");
  EXPECT_EQ(file.ReadSetting("scanner_mesh_height", ""), "7");
  EXPECT_EQ(file.ReadSetting("scanner_area_width", ""), "50");
  EXPECT_EQ(file.ReadSetting("scanner_picture_width", ""), "300");
  EXPECT_EQ(file.ReadSetting("scanner_picture_height", ""), "301");
}

}  // namespace
}  // namespace vexa::scanner
