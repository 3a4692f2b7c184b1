// Decoding and saving real picture files: every format, transparency, broken and hostile files.

#include "picture/qt_codec.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>
#include <cstdlib>

#include "picture/bmp_file.h"
#include "picture/gray_picture.h"
#include "picture/picture_errors.h"
#include "picture/qt_pixel_image.h"
#include "picture_samples.h"
#include "support/temp_folder.h"

namespace vexa::picture {
namespace {

// A gray picture with every level, odd width, something in every row.
PixelBuffer grayRamp() {
  PixelBuffer picture(37, 23);
  for (int y = 1; y <= 23; ++y) {
    for (int x = 1; x <= 37; ++x)
      picture.setGray(x, y, static_cast<std::uint8_t>((x * 7 + y * 11) % 256));
  }
  return picture;
}

// A smooth picture, as JPEG is made for.
PixelBuffer smoothGray() {
  PixelBuffer picture(64, 48);
  for (int y = 1; y <= 48; ++y) {
    for (int x = 1; x <= 64; ++x) picture.setGray(x, y, static_cast<std::uint8_t>(x * 2 + y));
  }
  return picture;
}

void expectCannotLoad(const std::filesystem::path& path) {
  try {
    LoadPictureFile(path);
    ADD_FAILURE() << path << " loaded";
  } catch (const settings::VexaError& error) {
    EXPECT_EQ(error.number(), 5) << path;
    EXPECT_EQ(error.description(), "Cannot load file") << path;
  }
}

void expectInvalidArgument(const PixelBuffer& picture, const std::filesystem::path& path,
                           int format, int quality) {
  try {
    SavePicture(picture, path, format, quality);
    ADD_FAILURE() << "format " << format << " quality " << quality << " accepted";
  } catch (const settings::VexaError& error) {
    EXPECT_EQ(error.number(), 5);
    EXPECT_EQ(error.source(), "PicSave");
    EXPECT_EQ(error.description(), "Invalid procedure call or argument");
  }
}

std::uint32_t crc32(const std::string& bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

std::string bigEndian(std::uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8),
          static_cast<char>(v)};
}

std::string pngChunk(const std::string& type, const std::string& data) {
  const std::string body = type + data;
  return bigEndian(static_cast<std::uint32_t>(data.size())) + body + bigEndian(crc32(body));
}

// A PNG whose header claims `width` x `height` (8-bit gray), with a token of picture data.
std::string pngClaiming(std::uint32_t width, std::uint32_t height) {
  return std::string("\x89PNG\r\n\x1a\n", 8) +
         pngChunk("IHDR", bigEndian(width) + bigEndian(height) + std::string("\x08\0\0\0\0", 5)) +
         pngChunk("IDAT", std::string("\x78\x9c\x03\0\0\0\0\x01", 8)) + pngChunk("IEND", "");
}

TEST(SavePicture, BmpPngAndGifRoundTripExactly) {
  vexa::test::TempFolder folder;
  for (const PixelBuffer& picture : {grayRamp(), test::NoisePicture(11, 7, 6)}) {
    const bool gray = picture.isGray();
    for (const auto& [format, name] : {std::pair{1, "a.bmp"}, {2, "a.gif"}, {4, "a.png"}}) {
      SavePicture(picture, folder / name, format, 75);
      // GIF keeps gray levels only: a coloured picture comes back as its gray conversion.
      const PixelBuffer expected = format == 2 && !gray ? Gray32Picture(picture) : picture;
      EXPECT_EQ(LoadPictureFile(folder / name), expected) << name << (gray ? " gray" : " colour");
    }
  }
}

TEST(SavePicture, JpegRoundTripsWithinItsLoss) {
  vexa::test::TempFolder folder;
  const PixelBuffer picture = smoothGray();
  SavePicture(picture, folder / "a.jpg", 3, 95);
  const PixelBuffer loaded = LoadPictureFile(folder / "a.jpg");
  ASSERT_EQ(loaded.width(), 64);
  ASSERT_EQ(loaded.height(), 48);
  EXPECT_TRUE(loaded.isGray());  // written as one gray channel
  int worst = 0;
  for (int y = 1; y <= 48; ++y) {
    for (int x = 1; x <= 64; ++x)
      worst = std::max(worst, std::abs(loaded.gray(x, y) - picture.gray(x, y)));
  }
  EXPECT_LE(worst, 4);
}

TEST(SavePicture, JpegQualityReachesTheEncoder) {
  vexa::test::TempFolder folder;
  const PixelBuffer picture = test::NoisePicture(64, 64, 3);
  SavePicture(picture, folder / "low.jpg", 3, 10);
  SavePicture(picture, folder / "high.jpg", 3, 95);
  EXPECT_LT(folder.read("low.jpg").size() * 2, folder.read("high.jpg").size());
}

TEST(SavePicture, BmpLoadsBackAsTwentyFourBitsAnywhere) {
  vexa::test::TempFolder folder;
  SavePicture(test::NoisePicture(5, 3, 9), folder / "a.bmp", 1, 1);  // quality ignored
  EXPECT_EQ(ReadBmpFile(folder / "a.bmp").bitsPerPixel, 24);
  QImageReader reader(ToQString(folder / "a.bmp"));
  EXPECT_EQ(reader.format(), QByteArray("bmp"));
  const QImage image = reader.read();
  EXPECT_EQ(image.size(), QSize(5, 3));
  EXPECT_EQ(image.pixelFormat().bitsPerPixel(), 32u);  // Qt holds 24-bit files as RGB32
  EXPECT_FALSE(image.hasAlphaChannel());
}

TEST(SavePicture, GifHoldsTheTwoHundredFiftySixGraysAndTheLevelsAsIndices) {
  vexa::test::TempFolder folder;
  const PixelBuffer picture = grayRamp();
  SavePicture(picture, folder / "a.gif", 2, 75);

  int error = 0;
  GifFileType* gif = DGifOpenFileName((folder / "a.gif").c_str(), &error);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(DGifSlurp(gif), GIF_OK);
  ASSERT_NE(gif->SColorMap, nullptr);
  ASSERT_EQ(gif->SColorMap->ColorCount, 256);
  for (int i = 0; i < 256; ++i) {
    const GifColorType c = gif->SColorMap->Colors[i];
    EXPECT_TRUE(c.Red == i && c.Green == i && c.Blue == i) << i;
  }
  ASSERT_EQ(gif->ImageCount, 1);
  const GifByteType* indices = gif->SavedImages[0].RasterBits;
  for (int y = 1; y <= picture.height(); ++y) {
    for (int x = 1; x <= picture.width(); ++x) {
      ASSERT_EQ(*indices++, picture.gray(x, y)) << x << "," << y;
    }
  }
  DGifCloseFile(gif, &error);
}

TEST(SavePicture, BadArgumentsRaiseErrorFiveBeforeTouchingAnyFile) {
  vexa::test::TempFolder folder;
  const PixelBuffer picture = grayRamp();
  expectInvalidArgument(picture, folder / "q0.jpg", 3, 0);
  expectInvalidArgument(picture, folder / "q101.jpg", 3, 101);
  expectInvalidArgument(picture, folder / "q0.bmp", 1, 0);
  expectInvalidArgument(picture, folder / "f5.png", 5, 75);
  expectInvalidArgument(picture, folder / "f-1.png", -1, 75);
  expectInvalidArgument(PixelBuffer(), folder / "empty.bmp", 1, 75);
  EXPECT_TRUE(std::filesystem::is_empty(folder.path()));

  folder.write("kept.jpg", "old content");
  expectInvalidArgument(picture, folder / "kept.jpg", 3, 101);
  EXPECT_EQ(folder.read("kept.jpg"), "old content");
}

TEST(SavePicture, NoFormatChosenFailsAndLeavesTheFileAlone) {
  vexa::test::TempFolder folder;
  folder.write("kept.bmp", "old content");
  try {
    SavePicture(grayRamp(), folder / "kept.bmp", 0, 75);
    FAIL() << "no error";
  } catch (const settings::VexaError& error) {
    EXPECT_EQ(error.number(), static_cast<int>(0x80044858u));
    EXPECT_EQ(error.source(), "PicSave");
    EXPECT_EQ(error.description(), "GdipSaveImageToStream error 2");
  }
  EXPECT_EQ(folder.read("kept.bmp"), "old content");
}

TEST(SavePicture, AnUnwritablePlaceRaisesTheStreamError) {
  vexa::test::TempFolder folder;
  for (int format : {1, 2, 3, 4}) {
    try {
      SavePicture(grayRamp(), folder / "missing" / "a.pic", format, 75);
      ADD_FAILURE() << "format " << format << " saved";
    } catch (const settings::VexaError& error) {
      EXPECT_EQ(error.number(), static_cast<int>(0x80044850u));
      EXPECT_EQ(error.description().rfind("SHCreateStreamOnFile error ", 0), 0u);
    }
  }
}

TEST(SavePicture, ReplacesAnExistingFile) {
  vexa::test::TempFolder folder;
  folder.write("a.png", "old content");
  SavePicture(grayRamp(), folder / "a.png", 4, 75);
  EXPECT_EQ(LoadPictureFile(folder / "a.png"), grayRamp());
}

TEST(LoadPictureFile, TransparencyBecomesWhite) {
  vexa::test::TempFolder folder;
  QImage image(3, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(0, 0, 0, 0));      // transparent black
  image.setPixel(1, 0, qRgba(0, 0, 0, 128));    // half transparent black
  image.setPixel(2, 0, qRgba(255, 0, 0, 255));  // opaque red
  ASSERT_TRUE(image.save(ToQString(folder / "t.png")));

  const PixelBuffer loaded = LoadPictureFile(folder / "t.png");
  const std::uint8_t* p = loaded.pixel(1, 1);
  EXPECT_EQ((std::vector<int>{p[0], p[1], p[2]}), (std::vector<int>{255, 255, 255}));
  p = loaded.pixel(2, 1);
  EXPECT_EQ((std::vector<int>{p[0], p[1], p[2]}), (std::vector<int>{127, 127, 127}));
  p = loaded.pixel(3, 1);
  EXPECT_EQ((std::vector<int>{p[0], p[1], p[2]}), (std::vector<int>{0, 0, 255}));
}

TEST(LoadPictureFile, TheContentDecidesNotTheName) {
  vexa::test::TempFolder folder;
  SavePicture(grayRamp(), folder / "png-inside.jpg", 4, 75);
  EXPECT_EQ(LoadPictureFile(folder / "png-inside.jpg"), grayRamp());
}

TEST(LoadPictureFile, TruncatedJpegCannotBeLoaded) {
  vexa::test::TempFolder folder;
  SavePicture(smoothGray(), folder / "whole.jpg", 3, 90);
  const std::string whole = folder.read("whole.jpg");
  ASSERT_NO_THROW(LoadPictureFile(folder / "whole.jpg"));
  for (std::size_t length : {whole.size() - 1, whole.size() - 2, whole.size() * 9 / 10,
                             whole.size() / 2, std::size_t(200), std::size_t(3)}) {
    folder.write("cut.jpg", whole.substr(0, length));
    expectCannotLoad(folder / "cut.jpg");
  }
}

TEST(LoadPictureFile, TruncatedPngGifAndBmpCannotBeLoaded) {
  vexa::test::TempFolder folder;
  for (const auto& [format, name] : {std::pair{1, "a.bmp"}, {2, "a.gif"}, {4, "a.png"}}) {
    SavePicture(grayRamp(), folder / name, format, 75);
    const std::string whole = folder.read(name);
    folder.write(name, whole.substr(0, whole.size() * 2 / 3));
    expectCannotLoad(folder / name);
  }
}

TEST(LoadPictureFile, RandomEmptyMissingAndFolderCannotBeLoaded) {
  vexa::test::TempFolder folder;
  std::string noise(4096, '\0');
  std::uint32_t seed = 12345;
  for (char& c : noise) {
    seed = seed * 1664525u + 1013904223u;
    c = static_cast<char>(seed >> 24);
  }
  folder.write("noise.jpg", noise);
  folder.write("empty.png", "");
  folder.write("text.gif", "GIF89a but nothing else");
  expectCannotLoad(folder / "noise.jpg");
  expectCannotLoad(folder / "empty.png");
  expectCannotLoad(folder / "text.gif");
  expectCannotLoad(folder / "missing.bmp");
  expectCannotLoad(folder.path());
}

TEST(LoadPictureFile, HugePicturesAreRefusedBeforeDecoding) {
  vexa::test::TempFolder folder;
  folder.write("wide.png", pngClaiming(30000, 10));
  folder.write("bomb.png", pngClaiming(15000, 15000));  // 225 million points
  for (const auto& [name, width, height] :
       {std::tuple{"wide.png", 30000, 10}, {"bomb.png", 15000, 15000}}) {
    try {
      LoadPictureFile(folder / name);
      ADD_FAILURE() << name << " loaded";
    } catch (const PictureTooLarge& error) {
      EXPECT_EQ(error.number(), 5);
      EXPECT_EQ(error.width(), width);
      EXPECT_EQ(error.height(), height);
    }
  }
}

TEST(PixelImage, TheQImageReadsTheBufferItself) {
  PixelBuffer picture(3, 2);
  picture.setColor(2, 1, 10, 20, 30);
  const QImage image = ToQImage(picture);
  EXPECT_EQ(image.constBits(), picture.data());
  EXPECT_EQ(image.bytesPerLine(), 10);
  EXPECT_EQ(image.pixel(1, 0), qRgb(30, 20, 10));
  picture.setColor(1, 2, 1, 2, 3);
  EXPECT_EQ(image.pixel(0, 1), qRgb(3, 2, 1));
  EXPECT_TRUE(ToQImage(PixelBuffer()).isNull());
}

TEST(PixelImage, EveryKindOfQImageComesInAsBlueGreenRed) {
  QImage gray(2, 1, QImage::Format_Grayscale8);
  gray.fill(77);
  EXPECT_EQ(test::Levels(FromQImage(gray)), (std::vector<std::vector<int>>{{77, 77}}));

  QImage indexed(1, 1, QImage::Format_Indexed8);
  indexed.setColorTable({qRgb(30, 20, 10)});
  indexed.fill(0);
  const PixelBuffer fromIndexed = FromQImage(indexed);
  EXPECT_EQ(fromIndexed.pixel(1, 1)[0], 10);
  EXPECT_EQ(fromIndexed.pixel(1, 1)[2], 30);

  QImage rgb(1, 1, QImage::Format_RGB888);
  rgb.fill(qRgb(1, 2, 3));
  EXPECT_EQ(FromQImage(rgb).pixel(1, 1)[0], 3);
  EXPECT_THROW(FromQImage(QImage()), settings::VexaError);
}

}  // namespace
}  // namespace vexa::picture
