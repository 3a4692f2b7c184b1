// The structure checks that tell damaged run-length BMPs, GIF LZW streams and sequential JPEGs
// from whole ones, before any decoder sees them.

#include <gtest/gtest.h>

#include "picture/bmp_rle_check.h"
#include "picture/file_completeness.h"
#include "picture/gif_stream_check.h"
#include "picture_files.h"
#include "picture_samples.h"

namespace vexa::picture {
namespace {

using test::Bytes;

Bytes join(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// 4 x 3, rows bottom-up: a run, an absolute run, a row ended early.
const Bytes kWholeRle8 = {4, 10, 0, 0,                    // row 1: four pixels of 10
                          0, 3,  1, 2, 3, 0, 1, 4, 0, 0,  // row 2: 1 2 3 (padded), then 4
                          2, 7,  0, 1};                   // row 3: two pixels, end of bitmap

TEST(RleStreamCoversPicture, TellsWholeStreamsFromDamagedOnes) {
  struct Case {
    const char* name;
    Bytes stream;
    bool covers;
  };
  const Case cases[] = {
      {"whole", kWholeRle8, true},
      {"last row ended by end-of-line first",
       join({Bytes(kWholeRle8.begin(), kWholeRle8.end() - 2), {0, 0, 0, 1}}), true},
      {"delta over the middle", {4, 10, 0, 0, 0, 2, 0, 1, 4, 7, 0, 1}, true},
      {"cut before its end", Bytes(kWholeRle8.begin(), kWholeRle8.begin() + 8), false},
      {"no end-of-bitmap", Bytes(kWholeRle8.begin(), kWholeRle8.end() - 2), false},
      {"ends after two of three rows", {4, 10, 0, 0, 4, 10, 0, 0, 0, 1}, false},
      {"ends as soon as it starts", {0, 1}, false},
      {"run past the right edge", {5, 10, 0, 0, 4, 10, 0, 0, 4, 10, 0, 1}, false},
      {"absolute run past the edge", {0, 5, 1, 2, 3, 4, 5, 0, 0, 1}, false},
      {"absolute run cut short", {4, 10, 0, 0, 0, 4, 1, 2}, false},
      {"delta below the picture", {0, 2, 0, 3, 0, 1}, false},
      {"more rows than the picture", {4, 1, 0, 0, 4, 1, 0, 0, 4, 1, 0, 0, 4, 1, 0, 1}, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RleStreamCoversPicture(c.stream, 4, 3, 8), c.covers) << c.name;
  }
}

TEST(RleStreamCoversPicture, Rle4CountsPixelsAndPadsNibbles) {
  // 5 x 1: an absolute run of 5 pixels takes 3 bytes, padded to 4.
  EXPECT_TRUE(RleStreamCoversPicture(Bytes{0, 5, 0x12, 0x34, 0x50, 0, 0, 1}, 5, 1, 4));
  EXPECT_FALSE(RleStreamCoversPicture(Bytes{0, 5, 0x12, 0x34, 0x50, 0, 1}, 5, 1, 4));
  EXPECT_FALSE(RleStreamCoversPicture(kWholeRle8, 4, 3, 24));
  EXPECT_FALSE(RleStreamCoversPicture(kWholeRle8, 0, 3, 8));
}

TEST(RleStreamCoversPicture, AWholeEncodedPictureCoversItsBmp) {
  const PixelBuffer picture = test::NoisePicture(37, 11, 5);
  PixelBuffer gray(37, 11);
  for (int y = 1; y <= 11; ++y) {
    for (int x = 1; x <= 37; ++x) gray.setGray(x, y, x < 20 ? 40 : picture.gray(x, y));
  }
  const Bytes stream = test::Rle8Stream(gray);
  EXPECT_TRUE(RleStreamCoversPicture(stream, 37, 11, 8));
  EXPECT_TRUE(LooksComplete(test::RleBmp(37, 11, stream)));
  for (std::size_t length : {stream.size() / 2, stream.size() - 1}) {
    EXPECT_FALSE(
        LooksComplete(test::RleBmp(37, 11, Bytes(stream.begin(), stream.begin() + length))))
        << length;
  }
  EXPECT_FALSE(LooksComplete(test::RleBmp(20000, 3000, stream))) << "a header claiming more";
}

TEST(RleStreamCoversPicture, EveryCutOfARunLengthBmpIsRefusedWithoutReadingPastIt) {
  // Found by the fuzz target: a header cut inside its image size field.
  const Bytes whole = test::RleBmp(5, 2, {5, 0, 0, 0, 5, 1, 0, 1});
  ASSERT_TRUE(LooksComplete(whole));
  for (std::size_t length = 0; length < whole.size(); ++length) {
    const Bytes cut(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
    EXPECT_FALSE(IsCompleteBmp(cut)) << length;
  }
}

std::vector<std::uint8_t> levels(int count) {
  std::vector<std::uint8_t> out(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) out[i] = static_cast<std::uint8_t>(i * 7);
  return out;
}

Bytes withoutLastByte(Bytes bytes) {
  bytes.pop_back();
  return bytes;
}

bool gifIsSound(const Bytes& gif) {
  const auto frame = FindFirstGifFrame(gif);
  return frame && GifFrameDataIsSound(gif, *frame);
}

// 9-bit codes after a clear code (minimum code size 8).
Bytes codes9(std::initializer_list<int> codes) {
  test::CodePacker packer;
  for (int code : codes) packer.put(code, 9);
  return packer.finish();
}

TEST(GifFrameDataIsSound, TellsStreamsThatGiveTheFrameFromOthers) {
  const test::GifLayout frame6x5{6, 5, 6, 5};
  struct Case {
    const char* name;
    Bytes lzw;
    bool sound;
  };
  const Case cases[] = {
      {"every pixel", test::LiteralLzw(levels(30)), true},
      {"no end code after the last pixel", withoutLastByte(test::LiteralLzw(levels(30))), true},
      {"fewer pixels than the frame", test::LiteralLzw(levels(29)), false},
      {"more pixels than the frame", test::LiteralLzw(levels(31)), false},
      {"only clear codes", codes9({256, 256, 256, 256, 256, 256, 256, 256}), false},
      {"a table code before any literal", codes9({256, 258, 1, 2, 257}), false},
      {"a code the table does not hold yet", codes9({256, 1, 2, 300, 257}), false},
      // 1, then 258 = "1 1" defined by its own use, then 259 = "1 1 1": 6 pixels, still short.
      {"a code defined by its own use", codes9({256, 1, 258, 259, 257}), false},
      {"random bytes", test::SeededBytes(40, 99), false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(gifIsSound(test::GrayGif(frame6x5, c.lzw)), c.sound) << c.name;
  }
  // The same self-defined codes make a sound 3 x 2 frame: 1 + 2 + 3 pixels.
  EXPECT_TRUE(gifIsSound(test::GrayGif({3, 2, 3, 2}, codes9({256, 1, 258, 259, 257}))));
}

TEST(GifFrameDataIsSound, SeededRandomStreamsAreNeverTakenForPictures) {
  for (std::uint32_t seed = 1; seed <= 200; ++seed) {
    const Bytes lzw = test::SeededBytes(20 + seed % 300, seed);
    EXPECT_FALSE(LooksComplete(test::GrayGif({64, 64, 64, 64}, lzw))) << seed;
  }
}

TEST(GifFrameDataIsSound, CodesGrowToTwelveBitsAndTheTableMayStayFull) {
  // 9000 literals: the code width grows from 9 to 12 bits and the table is cleared twice.
  std::vector<std::uint8_t> pixels(9000);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<std::uint8_t>(i * 13);
  EXPECT_TRUE(gifIsSound(test::GrayGif(90, 100, pixels)));
  EXPECT_FALSE(gifIsSound(test::GrayGif(90, 101, pixels)));
}

TEST(FileCompleteness, ASequentialJpegNeedsAScanForEveryComponent) {
  // SOF0 with components 1, 2, 3; scans for components 1 and 2 only, then for all three.
  const Bytes sof = {0xFF, 0xC0, 0x00, 0x11, 8, 0, 8, 0, 8, 3, 1, 0x11, 0, 2, 0x11, 0, 3, 0x11, 0};
  const Bytes scan1 = {0xFF, 0xDA, 0x00, 0x08, 1, 1, 0, 0, 63, 0, 0x12};
  const Bytes scan2 = {0xFF, 0xDA, 0x00, 0x08, 1, 2, 0, 0, 63, 0, 0x34};
  const Bytes scan3 = {0xFF, 0xDA, 0x00, 0x08, 1, 3, 0, 0, 63, 0, 0x56};
  const Bytes soi = {0xFF, 0xD8};
  const Bytes eoi = {0xFF, 0xD9};
  EXPECT_FALSE(IsCompleteJpeg(join({soi, sof, scan1, scan2, eoi})));
  EXPECT_TRUE(IsCompleteJpeg(join({soi, sof, scan1, scan2, scan3, eoi})));
  EXPECT_FALSE(IsCompleteJpeg(join({soi, sof, eoi}))) << "no scan at all";
}

}  // namespace
}  // namespace vexa::picture
