// Damaged pictures whose structure is intact: the decoders would have to invent pixels, so they
// are refused like truncated files. Whole pictures of the same kinds still decode as Qt decodes
// them. Every file is built here.

#include <gif_lib.h>
#include <gtest/gtest.h>

// clang-format off
#include <cstdio>
#include <jpeglib.h>
// clang-format on

#include <QImage>

#include "picture/picture_errors.h"
#include "picture/qt_codec.h"
#include "picture/qt_picture_binding.h"
#include "picture/qt_pixel_image.h"
#include "picture/window_picture.h"
#include "picture_files.h"
#include "picture_samples.h"
#include "qt_picture_files.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

namespace vexa::picture {
namespace {

using test::Bytes;
using test::markers;
using test::photo;
using test::qtJpeg;
using test::scanDataStart;

// A CMYK JPEG with Adobe's marker, as print programs write them.
Bytes cmykJpeg(int width, int height) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* out = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &out, &size);
  info.image_width = static_cast<JDIMENSION>(width);
  info.image_height = static_cast<JDIMENSION>(height);
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> line(static_cast<std::size_t>(width) * 4);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      line[x * 4] = static_cast<JSAMPLE>(x * 9);
      line[x * 4 + 1] = static_cast<JSAMPLE>(y * 11);
      line[x * 4 + 2] = static_cast<JSAMPLE>(128 + x);
      line[x * 4 + 3] = static_cast<JSAMPLE>(255 - y * 3);
    }
    JSAMPROW row = line.data();
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  Bytes bytes(out, out + size);
  std::free(out);
  return bytes;
}

Bytes join(Bytes head, const Bytes& tail) {
  head.insert(head.end(), tail.begin(), tail.end());
  return head;
}

const Bytes kEndOfImage = {0xFF, 0xD9};

PixelBuffer decodeWithQt(const Bytes& bytes) {
  QImage image;
  EXPECT_TRUE(image.loadFromData(bytes.data(), static_cast<int>(bytes.size())));
  return FromQImage(image);
}

// The file as a user hands it in.
PixelBuffer load(const Bytes& bytes) {
  const vexa::test::TempFolder folder;
  folder.write("picture", test::AsText(bytes));
  return LoadPictureFile(folder / "picture");
}

void expectCannotLoad(const Bytes& bytes, const std::string& name) {
  try {
    load(bytes);
    ADD_FAILURE() << name << " was decoded";
  } catch (const PictureTooLarge& error) {
    ADD_FAILURE() << name << " refused as too large: " << error.width() << " x " << error.height();
  } catch (const settings::VexaError& error) {
    EXPECT_EQ(error.number(), 5) << name;
    EXPECT_EQ(error.description(), "Cannot load file") << name;
  }
}

TEST(DamagedPictures, JpegsWithMissingOrClaimedDataAreRefused) {
  const Bytes whole = qtJpeg(photo(37, 23));
  ASSERT_EQ(load(whole).width(), 37);
  const std::size_t data = scanDataStart(whole);
  const std::size_t dataEnd = whole.size() - 2;

  Bytes claiming = whole;  // the frame header says 20000 x 3000 over 37 x 23 of data
  const std::size_t sof = markers(whole, 0xC0).at(0);
  claiming[sof + 5] = 3000 >> 8;
  claiming[sof + 6] = 3000 & 0xFF;
  claiming[sof + 7] = 20000 >> 8;
  claiming[sof + 8] = 20000 & 0xFF;

  const Bytes progressive = qtJpeg(photo(64, 48), true);
  ASSERT_EQ(load(progressive).width(), 64);
  ASSERT_GT(markers(progressive, 0xDA).size(), 3u);
  const std::size_t thirdScan = markers(progressive, 0xDA).at(2);

  const std::pair<const char*, Bytes> damaged[] = {
      {"second half of the scan data removed, end marker kept",
       join(Bytes(whole.begin(), whole.begin() + (data + dataEnd) / 2), kEndOfImage)},
      {"no scan data, end marker kept",
       join(Bytes(whole.begin(), whole.begin() + data), kEndOfImage)},
      {"no scan at all",
       join(Bytes(whole.begin(), whole.begin() + markers(whole, 0xDA).at(0)), kEndOfImage)},
      {"header claiming 20000 x 3000", claiming},
      {"progressive, later scans missing",
       join(Bytes(progressive.begin(), progressive.begin() + thirdScan), kEndOfImage)},
  };
  for (const auto& [name, bytes] : damaged) expectCannotLoad(bytes, name);
}

TEST(DamagedPictures, RunLengthBmpsThatDoNotCoverThePictureAreRefused) {
  PixelBuffer gray(64, 64);
  for (int y = 1; y <= 64; ++y) {
    for (int x = 1; x <= 64; ++x) gray.setGray(x, y, static_cast<std::uint8_t>((x / 8 + y) * 3));
  }
  const Bytes stream = test::Rle8Stream(gray);
  const Bytes whole = test::RleBmp(64, 64, stream);
  EXPECT_EQ(load(whole), gray) << "Qt decodes a whole one";

  const Bytes cut(whole.begin(),
                  whole.begin() + static_cast<std::ptrdiff_t>(whole.size() - stream.size() / 2));
  // 1,080 bytes: headers, a palette and a stream that ends at once, under a 60-megapixel header.
  const Bytes claiming = test::RleBmp(20000, 3000, {0, 1});
  ASSERT_EQ(claiming.size(), 1080u);
  expectCannotLoad(cut, "cut after half its data");
  expectCannotLoad(claiming, "20000 x 3000 over 1,080 bytes");
}

TEST(DamagedPictures, GifsWithBogusCodesOrTooFewPixelsAreRefused) {
  const test::GifLayout frame{64, 64, 64, 64};
  test::CodePacker clears;
  for (int i = 0; i < 400; ++i) clears.put(256, 9);
  std::vector<std::uint8_t> half(64 * 32, 0);
  const std::pair<const char*, Bytes> damaged[] = {
      {"random LZW stream", test::GrayGif(frame, test::SeededBytes(3000, 17))},
      {"only clear codes", test::GrayGif(frame, clears.finish())},
      {"half the pixels", test::GrayGif(frame, test::LiteralLzw(half))},
  };
  for (const auto& [name, bytes] : damaged) expectCannotLoad(bytes, name);
}

TEST(DamagedPictures, APictureWithAZeroSideIsADamagedFileNotALargeOne) {
  const std::pair<const char*, Bytes> zero[] = {
      {"GIF 0 x 0", test::GrayGif({0, 0, 0, 0}, test::LiteralLzw({}))},
      {"GIF 0 x 5", test::GrayGif({0, 5, 0, 5}, test::LiteralLzw({}))},
      {"GIF frame 0 x 0 on a 4 x 4 screen", test::GrayGif({4, 4, 0, 0}, test::LiteralLzw({}))},
      {"BMP 0 x 0", test::RleBmp(0, 0, {0, 1})},
  };
  for (const auto& [name, bytes] : zero) expectCannotLoad(bytes, name);

  // In a window: the open error, not "Картинка слишком велика: 0 x 0 точек".
  vexa::test::TempFolder folder;
  vexa::test::RecordingPrompts prompts;
  WindowPicture picture({folder.path(), "Etching_image", 1, "Гравировка невозможна."}, prompts,
                        QtPictureDecoder());
  folder.write("zero.gif", test::AsText(zero[0].second));
  EXPECT_FALSE(picture.LoadWorkPictureOrReport((folder / "zero.gif").string()));
  ASSERT_EQ(prompts.messages.size(), 1u);
  EXPECT_EQ(prompts.messages[0].caption, "Ошибка");
  EXPECT_EQ(prompts.messages[0].text, "Ошибка открытия файла!");
}

TEST(WholePictures, JpegsDecodeAsQtDecodesThem) {
  const std::pair<const char*, Bytes> whole[] = {
      {"colour", qtJpeg(photo(37, 23))},
      {"gray", qtJpeg(photo(37, 23), false, true)},
      {"progressive", qtJpeg(photo(64, 48), true)},
      {"CMYK", cmykJpeg(21, 13)},
  };
  for (const auto& [name, bytes] : whole) {
    EXPECT_EQ(load(bytes), decodeWithQt(bytes)) << name;
  }
}

TEST(WholePictures, GifsDecodeAsQtDecodesThem) {
  std::vector<std::uint8_t> indices(13 * 11);
  for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint8_t>(i * 5);
  // Interlaced: rows stored 0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9.
  std::vector<std::uint8_t> interlaced;
  for (int row : {0, 8, 4, 2, 6, 10, 1, 3, 5, 7, 9}) {
    interlaced.insert(interlaced.end(), indices.begin() + row * 13,
                      indices.begin() + (row + 1) * 13);
  }
  const Bytes plain = test::GrayGif(13, 11, indices);
  const Bytes laced = test::GrayGif({13, 11, 13, 11, 0, 0, true}, test::LiteralLzw(interlaced));
  EXPECT_EQ(load(plain), decodeWithQt(plain));
  EXPECT_EQ(load(laced), decodeWithQt(plain));

  // Written by giflib, with a transparent index: transparent pixels are white.
  vexa::test::TempFolder folder;
  SavePicture(test::NoisePicture(19, 7, 4), folder / "noise.gif", 2, 75);
  Bytes written = test::AsBytes(folder.read("noise.gif"));
  const PixelBuffer opaque = load(written);
  EXPECT_EQ(opaque, decodeWithQt(written));
  const std::size_t descriptor = 13 + 768;
  ASSERT_EQ(written[descriptor], 0x2C);
  const Bytes control = {0x21, 0xF9, 4, 0x01, 0, 0, 77, 0};  // index 77 is transparent
  written.insert(written.begin() + descriptor, control.begin(), control.end());
  const PixelBuffer decoded = load(written);
  EXPECT_EQ(decoded, decodeWithQt(written));
  int turnedWhite = 0;
  for (int y = 1; y <= opaque.height(); ++y) {
    for (int x = 1; x <= opaque.width(); ++x) {
      const bool transparent = opaque.gray(x, y) == 77;
      turnedWhite += transparent;
      EXPECT_EQ(decoded.gray(x, y), transparent ? 255 : opaque.gray(x, y)) << x << "," << y;
    }
  }
  EXPECT_GT(turnedWhite, 0);
}

TEST(WholePictures, AGifFrameSmallerThanItsScreenLiesOnWhite) {
  const Bytes gif = test::GrayGif({4, 3, 2, 1, 1, 1}, test::LiteralLzw({0, 100}));
  EXPECT_EQ(test::Levels(load(gif)),
            (std::vector<std::vector<int>>{
                {255, 255, 255, 255}, {255, 0, 100, 255}, {255, 255, 255, 255}}));
}

TEST(WholePictures, RunLengthBmpsDecodeWhole) {
  // RLE4 with a 16-level palette: 0 is black, 15 is white.
  const Bytes rle4 = test::RleBmp(5, 2, {5, 0xF0, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0, 0, 1}, 4);
  EXPECT_EQ(test::Levels(load(rle4)),
            (std::vector<std::vector<int>>{{17, 34, 51, 68, 85}, {255, 0, 255, 0, 255}}));
}

}  // namespace
}  // namespace vexa::picture
