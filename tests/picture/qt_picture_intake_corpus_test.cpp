// A seeded corpus of a few hundred damaged files, built here from small whole pictures of every
// kind: truncations, flipped bytes, JPEG scan data cut with the end marker kept, run-length
// streams cut with their end code kept, bogus LZW data, sides of zero. Each goes through a
// window's intake as a chosen file would. Nothing may crash; a refused file gets one message and
// leaves work.bmp as it was; the kinds of damage that always lose pixels are always refused.

#include <gtest/gtest.h>

#include "picture/bmp_file.h"
#include "picture/qt_codec.h"
#include "picture/qt_picture_binding.h"
#include "picture/window_picture.h"
#include "picture_files.h"
#include "picture_samples.h"
#include "qt_picture_files.h"
#include "support/recording_prompts.h"
#include "support/temp_folder.h"

namespace vexa::picture {
namespace {

using test::Bytes;

struct Mutant {
  std::string name;
  Bytes bytes;
  bool mustRefuse = false;
};

// The same sequence on every run.
class Seeded {
 public:
  explicit Seeded(std::uint32_t seed) : state_(seed) {}
  std::size_t below(std::size_t limit) {
    state_ = state_ * 1664525u + 1013904223u;
    return limit == 0 ? 0 : (state_ >> 8) % limit;
  }

 private:
  std::uint32_t state_;
};

Bytes fileOf(const vexa::test::TempFolder& folder, const PixelBuffer& picture, int format) {
  SavePicture(picture, folder / "seed", format, 90);
  return test::AsBytes(folder.read("seed"));
}

PixelBuffer levelsPicture(int width, int height) {
  PixelBuffer gray(width, height);
  for (int y = 1; y <= height; ++y) {
    for (int x = 1; x <= width; ++x)
      gray.setGray(x, y, static_cast<std::uint8_t>((x / 3) * 20 + y));
  }
  return gray;
}

std::vector<std::pair<std::string, Bytes>> seeds(const vexa::test::TempFolder& folder) {
  const PixelBuffer rle = levelsPicture(31, 19);
  return {{"jpeg", test::qtJpeg(test::photo(37, 23))},
          {"progressive jpeg", test::qtJpeg(test::photo(40, 24), true)},
          {"gif", fileOf(folder, test::NoisePicture(23, 17, 8), 2)},
          {"rle8 bmp", test::RleBmp(31, 19, test::Rle8Stream(rle))},
          {"bmp", EncodeBmp(test::NoisePicture(13, 9, 2))},
          {"png", fileOf(folder, test::NoisePicture(19, 11, 3), 4)}};
}

std::vector<Mutant> corpus(const vexa::test::TempFolder& folder) {
  std::vector<Mutant> out;
  Seeded random(2024);
  for (const auto& [kind, whole] : seeds(folder)) {
    for (int i = 0; i < 12; ++i) {  // a file cut anywhere up to nine tenths of its length
      const std::size_t length = random.below(whole.size() * 9 / 10);
      out.push_back({kind + " cut to " + std::to_string(length),
                     Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)),
                     true});
    }
    for (int i = 0; i < 25; ++i) {  // one to four bytes changed anywhere
      Bytes flipped = whole;
      std::string name = kind + " flipped at";
      for (std::size_t n = 1 + random.below(4); n > 0; --n) {
        const std::size_t at = random.below(flipped.size());
        flipped[at] ^= static_cast<std::uint8_t>(1 + random.below(255));
        name += " " + std::to_string(at);
      }
      out.push_back({name, flipped, false});
    }
  }

  const auto all = seeds(folder);
  for (const Bytes& jpeg : {all[0].second, all[1].second}) {
    const std::size_t data = test::scanDataStart(jpeg);
    for (int i = 0; i < 10; ++i) {  // scan data cut, end marker kept
      const std::size_t cut = data + random.below(jpeg.size() - 2 - data);
      Bytes kept(jpeg.begin(), jpeg.begin() + static_cast<std::ptrdiff_t>(cut));
      kept.insert(kept.end(), {0xFF, 0xD9});
      out.push_back({"jpeg scan cut at " + std::to_string(cut), kept, true});
    }
  }
  const Bytes rleStream = test::Rle8Stream(levelsPicture(31, 19));
  for (int i = 0; i < 10; ++i) {  // run-length stream cut, end-of-bitmap kept
    Bytes cut(rleStream.begin(),
              rleStream.begin() + static_cast<std::ptrdiff_t>(random.below(rleStream.size() - 4)));
    cut.insert(cut.end(), {0, 1});
    out.push_back(
        {"rle stream cut to " + std::to_string(cut.size()), test::RleBmp(31, 19, cut), true});
  }
  for (std::uint32_t i = 0; i < 20; ++i) {  // bogus LZW data under a whole frame header
    out.push_back({"bogus lzw " + std::to_string(i),
                   test::GrayGif({23, 17, 23, 17}, test::SeededBytes(5 + random.below(600), i + 1)),
                   true});
  }

  Bytes zeroJpeg = all[0].second;  // the frame's height and width
  const std::size_t sof = test::markers(zeroJpeg, 0xC0).at(0);
  std::fill(zeroJpeg.begin() + static_cast<std::ptrdiff_t>(sof + 5),
            zeroJpeg.begin() + static_cast<std::ptrdiff_t>(sof + 9), 0);
  Bytes zeroGif = all[2].second;  // the screen's and the frame's width and height
  for (std::size_t at : {6u, 7u, 8u, 9u}) zeroGif[at] = 0;
  const std::size_t frame = 13 + 768;
  for (std::size_t at = frame + 5; at < frame + 9; ++at) zeroGif[at] = 0;
  Bytes zeroBmp = all[4].second;
  for (std::size_t at : {18u, 19u, 20u, 21u}) zeroBmp[at] = 0;
  out.push_back({"jpeg 0 x 0", zeroJpeg, true});
  out.push_back({"gif 0 x 0", zeroGif, true});
  out.push_back({"bmp of width 0", zeroBmp, true});
  out.push_back({"gif 0 x 0 made so", test::GrayGif({0, 0, 0, 0}, test::LiteralLzw({})), true});
  return out;
}

TEST(PictureIntakeCorpus, DamagedFilesNeverCrashAndRefusalsLeaveWorkBmpAlone) {
  vexa::test::TempFolder folder;
  vexa::test::RecordingPrompts prompts;
  WindowPicture picture({folder.path(), "Etching_image", 1, "Гравировка невозможна."}, prompts,
                        QtPictureDecoder());
  const std::string kSentinel = "work.bmp of the last good picture";
  const std::vector<Mutant> mutants = corpus(folder);
  ASSERT_GT(mutants.size(), 250u);
  int refused = 0;
  for (const Mutant& mutant : mutants) {
    SCOPED_TRACE(mutant.name);
    folder.write("work.bmp", kSentinel);
    folder.write("chosen", test::AsText(mutant.bytes));
    prompts.messages.clear();
    const bool loaded = picture.LoadWorkPictureOrReport((folder / "chosen").string());
    if (!loaded) {
      ++refused;
      ASSERT_EQ(prompts.messages.size(), 1u);
      EXPECT_EQ(prompts.messages[0].caption, "Ошибка");
      EXPECT_TRUE(prompts.messages[0].text.starts_with("Ошибка открытия файла!"));
      EXPECT_EQ(folder.read("work.bmp"), kSentinel);
      EXPECT_FALSE(picture.hasPicture());
    } else {
      EXPECT_FALSE(mutant.mustRefuse) << "accepted";
      EXPECT_TRUE(prompts.messages.empty());
      const BmpPicture work = ReadBmpFile(folder / "work.bmp");
      EXPECT_EQ(work.bitsPerPixel, 24);
      EXPECT_EQ(work.pixels, picture.copy());
    }
    if (mutant.mustRefuse && !loaded) {
      EXPECT_EQ(prompts.messages[0].text, "Ошибка открытия файла!");
    }
  }
  // Most flipped bytes land in pixel data and give another, whole picture.
  EXPECT_LT(refused, static_cast<int>(mutants.size()));
}

}  // namespace
}  // namespace vexa::picture
