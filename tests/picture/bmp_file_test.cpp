// Plain 24-bit BMP files: what is written, and what is refused on reading.

#include "picture/bmp_file.h"

#include <gtest/gtest.h>

#include "picture/picture_errors.h"
#include "picture_samples.h"
#include "support/temp_folder.h"

namespace vexa::picture {
namespace {

std::uint32_t u32(const std::string& bytes, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  return v;
}

std::uint16_t u16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                    static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

TEST(BmpFile, WritesTwentyFourBitsWithRowsPaddedToFourBytes) {
  vexa::test::TempFolder folder;
  PixelBuffer picture = test::GrayPicture({{1, 2, 3}, {4, 5, 6}});
  picture.setColor(1, 1, 10, 20, 30);
  WriteBmpFile(picture, folder / "work.bmp");

  const std::string file = folder.read("work.bmp");
  ASSERT_EQ(file.size(), 54u + 2 * 12);  // 3 pixels: 9 bytes, padded to 12
  EXPECT_EQ(file.substr(0, 2), "BM");
  EXPECT_EQ(u32(file, 2), file.size());
  EXPECT_EQ(u32(file, 10), 54u);  // pixel data offset
  EXPECT_EQ(u32(file, 14), 40u);  // BITMAPINFOHEADER
  EXPECT_EQ(u32(file, 18), 3u);   // width
  EXPECT_EQ(u32(file, 22), 2u);   // positive height: bottom-up
  EXPECT_EQ(u16(file, 28), 24);   // bits per pixel
  EXPECT_EQ(u32(file, 30), 0u);   // no compression
  // The file's first row is the picture's bottom row.
  EXPECT_EQ(static_cast<std::uint8_t>(file[54]), 4);
  EXPECT_EQ(static_cast<std::uint8_t>(file[54 + 12]), 10);
  EXPECT_EQ(static_cast<std::uint8_t>(file[54 + 13]), 20);
  EXPECT_EQ(static_cast<std::uint8_t>(file[54 + 14]), 30);
  EXPECT_EQ(file.substr(54 + 9, 3), std::string(3, '\0'));
}

TEST(BmpFile, ReadsBackWhatItWrote) {
  vexa::test::TempFolder folder;
  const PixelBuffer picture = test::NoisePicture(7, 5, 42);
  WriteBmpFile(picture, folder / "a.bmp");
  const BmpPicture read = ReadBmpFile(folder / "a.bmp");
  EXPECT_EQ(read.bitsPerPixel, 24);
  EXPECT_EQ(read.pixels, picture);
}

TEST(BmpFile, ReadsTopDownAndThirtyTwoBitFiles) {
  // 2 x 2, 32 bits, negative height (top row first): rows of 8 bytes.
  std::vector<std::uint8_t> bytes = EncodeBmp(PixelBuffer(1, 1));
  bytes.resize(54);
  auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  put32(18, 2);
  put32(22, static_cast<std::uint32_t>(-2));
  bytes[28] = 32;
  for (int v : {1, 2, 3, 0, 4, 5, 6, 0, 7, 8, 9, 0, 10, 11, 12, 0}) {
    bytes.push_back(static_cast<std::uint8_t>(v));
  }
  const BmpPicture read = DecodeBmp(bytes);
  EXPECT_EQ(read.bitsPerPixel, 32);
  ASSERT_EQ(read.pixels.width(), 2);
  EXPECT_EQ(read.pixels.pixel(1, 1)[0], 1);
  EXPECT_EQ(read.pixels.pixel(2, 1)[2], 6);
  EXPECT_EQ(read.pixels.pixel(1, 2)[0], 7);
}

TEST(BmpFile, OtherDepthsGiveTheirDepthAndNoPixels) {
  std::vector<std::uint8_t> bytes = EncodeBmp(PixelBuffer(4, 1));
  bytes[28] = 8;
  const BmpPicture read = DecodeBmp(bytes);
  EXPECT_EQ(read.bitsPerPixel, 8);
  EXPECT_TRUE(read.pixels.empty());
}

TEST(BmpFile, BrokenFilesCannotBeLoaded) {
  vexa::test::TempFolder folder;
  const std::vector<std::uint8_t> good = EncodeBmp(PixelBuffer(5, 5));
  const auto expectRefused = [](std::vector<std::uint8_t> bytes) {
    try {
      DecodeBmp(bytes);
      ADD_FAILURE() << "accepted " << bytes.size() << " bytes";
    } catch (const settings::VexaError& error) {
      EXPECT_EQ(error.number(), 5);
      EXPECT_EQ(error.description(), "Cannot load file");
    }
  };
  for (std::size_t cut = 0; cut < good.size(); cut += 7) {
    expectRefused(std::vector<std::uint8_t>(good.begin(), good.begin() + cut));
  }
  expectRefused(std::vector<std::uint8_t>(100, 'x'));
  EXPECT_THROW(ReadBmpFile(folder / "missing.bmp"), settings::VexaError);
  EXPECT_THROW(ReadBmpFile(folder.path()), settings::VexaError);
}

TEST(BmpFile, HeaderClaimingAHugePictureIsRefusedBeforeAllocating) {
  std::vector<std::uint8_t> bytes = EncodeBmp(PixelBuffer(1, 1));
  bytes[18] = 0xA0;  // width 100000
  bytes[19] = 0x86;
  bytes[20] = 0x01;
  EXPECT_THROW(DecodeBmp(bytes), PictureTooLarge);
}

TEST(BmpFile, AFileThatCannotBeWrittenRaisesTheStreamError) {
  vexa::test::TempFolder folder;
  try {
    WriteBmpFile(PixelBuffer(2, 2), folder / "no-such-folder" / "work.bmp");
    FAIL() << "no error";
  } catch (const settings::VexaError& error) {
    EXPECT_EQ(error.number(), static_cast<int>(0x80044850u));
    EXPECT_EQ(error.source(), "PicSave");
    EXPECT_EQ(error.description().rfind("SHCreateStreamOnFile error ", 0), 0u);
  }
  EXPECT_THROW(WriteBmpFile(PixelBuffer(), folder / "empty.bmp"), settings::VexaError);
  EXPECT_FALSE(std::filesystem::exists(folder / "empty.bmp"));
}

}  // namespace
}  // namespace vexa::picture
