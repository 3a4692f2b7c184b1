// Truncated JPEG, BMP and GIF files are recognised from their structure.

#include "picture/file_completeness.h"

#include <gtest/gtest.h>

#include "picture/bmp_file.h"

namespace vexa::picture {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A JPEG's marker skeleton: SOI, an APP0 segment, a start of scan whose entropy data holds a
// stuffed 0xFF00 and a restart marker, then EOI.
const Bytes kJpeg = {0xFF, 0xD8,                                     // SOI
                     0xFF, 0xE0, 0x00, 0x06, 'J',  'F',  'I',  'F',  // APP0
                     0xFF, 0xDA, 0x00, 0x04, 0x01, 0x02,             // SOS header
                     0x12, 0xFF, 0x00, 0x34, 0xFF, 0xD0, 0x56,       // scan data
                     0xFF, 0xD9};                                    // EOI

// A 1 x 1 GIF: header, screen with a 2-colour table, a graphic control extension, the image
// descriptor, LZW data in one sub-block, the trailer.
const Bytes kGif = {'G', 'I', 'F', '8', '9',  'a',  1, 0, 1, 0,    0x80, 0, 0,    0, 0,
                    0,   255, 255, 255, 0x21, 0xF9, 4, 0, 0, 0,    0,    0, 0x2C, 0, 0,
                    0,   0,   1,   0,   1,    0,    0, 2, 2, 0x44, 0x01, 0, 0x3B};

Bytes cut(const Bytes& bytes, std::size_t length) {
  return Bytes(bytes.begin(), bytes.begin() + length);
}

TEST(FileCompleteness, WholeFilesPass) {
  EXPECT_TRUE(IsCompleteJpeg(kJpeg));
  EXPECT_TRUE(IsCompleteGif(kGif));
  EXPECT_TRUE(IsCompleteBmp(EncodeBmp(PixelBuffer(3, 3))));
  EXPECT_TRUE(LooksComplete(kJpeg));
  EXPECT_TRUE(LooksComplete(kGif));
}

TEST(FileCompleteness, EveryTruncationOfAJpegIsFound) {
  for (std::size_t length = 0; length < kJpeg.size(); ++length) {
    EXPECT_FALSE(IsCompleteJpeg(cut(kJpeg, length))) << length;
  }
}

TEST(FileCompleteness, JpegMayCarryBytesAfterItsEnd) {
  Bytes trailing = kJpeg;
  trailing.insert(trailing.end(), {0x00, 0x11, 0x22});
  EXPECT_TRUE(IsCompleteJpeg(trailing));
}

TEST(FileCompleteness, GifMustHoldItsFirstPictureWhole) {
  // Without the trailer the picture is still all there.
  for (std::size_t length = 0; length + 1 < kGif.size(); ++length) {
    EXPECT_FALSE(IsCompleteGif(cut(kGif, length))) << length;
  }
}

TEST(FileCompleteness, BmpMustHoldAllItsRows) {
  const Bytes bmp = EncodeBmp(PixelBuffer(3, 3));
  EXPECT_FALSE(LooksComplete(cut(bmp, bmp.size() - 1)));
  EXPECT_FALSE(LooksComplete(cut(bmp, 54)));
  EXPECT_FALSE(LooksComplete(cut(bmp, 20)));
}

TEST(FileCompleteness, TheFileKindIsToldByItsFirstBytes) {
  EXPECT_FALSE(LooksComplete(cut(kJpeg, 10)));
  EXPECT_FALSE(LooksComplete(cut(kGif, 10)));
  EXPECT_FALSE(LooksComplete(cut(EncodeBmp(PixelBuffer(3, 3)), 60)));
}

TEST(FileCompleteness, OtherContentIsLeftToTheDecoder) {
  EXPECT_TRUE(LooksComplete(Bytes{0x89, 'P', 'N', 'G'}));
  EXPECT_TRUE(LooksComplete(Bytes{}));
}

}  // namespace
}  // namespace vexa::picture
