// Writes the fuzzer's starting corpus: one small whole picture of every kind the intake reads
// (baseline, progressive and gray JPEG; GIF from giflib, code by code and interlaced; RLE8, RLE4
// and 24-bit BMP; PNG), made here so that no picture file is committed.

#include <QCoreApplication>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "picture/bmp_file.h"
#include "picture/qt_codec.h"
#include "picture_files.h"
#include "picture_samples.h"
#include "qt_picture_files.h"

namespace {

using namespace vexa::picture;
using test::Bytes;

void write(const std::filesystem::path& folder, const char* name, const Bytes& bytes) {
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

Bytes saved(const std::filesystem::path& folder, const PixelBuffer& picture, int format) {
  const std::filesystem::path file = folder / "saved.tmp";
  SavePicture(picture, file, format, 85);
  std::ifstream in(file, std::ios::binary);
  Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::filesystem::remove(file);
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_fuzz_seeds FOLDER\n");
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const PixelBuffer noise = test::NoisePicture(17, 11, 7);
  PixelBuffer levels(31, 19);
  for (int y = 1; y <= 19; ++y) {
    for (int x = 1; x <= 31; ++x) levels.setGray(x, y, static_cast<std::uint8_t>((x / 3) * 20 + y));
  }
  std::vector<std::uint8_t> indices(13 * 11);
  for (std::size_t i = 0; i < indices.size(); ++i) indices[i] = static_cast<std::uint8_t>(i * 5);

  write(folder, "baseline.jpg", test::qtJpeg(test::photo(24, 16)));
  write(folder, "progressive.jpg", test::qtJpeg(test::photo(24, 16), true));
  write(folder, "gray.jpg", test::qtJpeg(test::photo(16, 16), false, true));
  write(folder, "giflib.gif", saved(folder, noise, 2));
  write(folder, "literal.gif", test::GrayGif(13, 11, indices));
  write(folder, "interlaced.gif",
        test::GrayGif({13, 11, 13, 11, 0, 0, true}, test::LiteralLzw(indices)));
  write(folder, "rle8.bmp", test::RleBmp(31, 19, test::Rle8Stream(levels)));
  write(folder, "rle4.bmp",
        test::RleBmp(5, 2, {5, 0xF0, 0, 0, 0, 5, 0x12, 0x34, 0x50, 0, 0, 1}, 4));
  write(folder, "plain.bmp", EncodeBmp(noise));
  write(folder, "picture.png", saved(folder, noise, 4));
  return 0;
}
