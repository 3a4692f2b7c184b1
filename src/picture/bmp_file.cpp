#include "picture/bmp_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <string_view>

#include "picture/picture_errors.h"
#include "picture/picture_limits.h"
#include "settings/atomic_file.h"

namespace vexa::picture {

namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPixelsPerMetre = 3780;  // 96 dots per inch

void putU16(std::vector<std::uint8_t>& out, std::uint16_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void putU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<std::uint8_t>(v >> shift));
}

std::uint32_t getU32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

std::uint16_t getU16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

std::size_t fileRowLength(std::int64_t width, int bitsPerPixel) {
  return static_cast<std::size_t>((width * bitsPerPixel + 31) / 32 * 4);
}

}  // namespace

std::vector<std::uint8_t> EncodeBmp(const PixelBuffer& picture) {
  const int width = picture.width();
  const int height = picture.height();
  const std::size_t rowLength = fileRowLength(width, 24);
  const std::size_t pixelBytes = rowLength * height;
  const std::size_t headers = kFileHeaderSize + kInfoHeaderSize;

  std::vector<std::uint8_t> out;
  out.reserve(headers + pixelBytes);
  out.push_back('B');
  out.push_back('M');
  putU32(out, static_cast<std::uint32_t>(headers + pixelBytes));
  putU32(out, 0);  // reserved
  putU32(out, static_cast<std::uint32_t>(headers));
  putU32(out, kInfoHeaderSize);
  putU32(out, static_cast<std::uint32_t>(width));
  putU32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up
  putU16(out, 1);                                   // planes
  putU16(out, 24);
  putU32(out, 0);  // no compression
  putU32(out, static_cast<std::uint32_t>(pixelBytes));
  putU32(out, kPixelsPerMetre);
  putU32(out, kPixelsPerMetre);
  putU32(out, 0);  // colours used
  putU32(out, 0);  // important colours

  out.resize(headers + pixelBytes, 0);
  const std::size_t pixelRowBytes = static_cast<std::size_t>(width) * 3;
  for (int y = 1; y <= height; ++y) {
    const std::uint8_t* source = picture.row(y);
    std::uint8_t* target = out.data() + headers + rowLength * (height - y);
    std::copy(source, source + pixelRowBytes, target);
  }
  return out;
}

void WriteBmpFile(const PixelBuffer& picture, const std::filesystem::path& path) {
  if (picture.empty()) throw InvalidSaveArgument();
  const std::vector<std::uint8_t> bytes = EncodeBmp(picture);
  errno = 0;
  const std::string_view content(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  if (!settings::replaceFileAtomically(path, content)) throw StreamNotOpened(errno);
}

BmpPicture DecodeBmp(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kFileHeaderSize + 12 || bytes[0] != 'B' || bytes[1] != 'M') {
    throw CannotLoadFile();
  }
  const std::uint32_t pixelOffset = getU32(bytes, 10);
  const std::uint32_t headerSize = getU32(bytes, kFileHeaderSize);
  if (headerSize < kInfoHeaderSize || bytes.size() < kFileHeaderSize + kInfoHeaderSize) {
    throw CannotLoadFile();  // the old 12-byte header is not written by anyone we read
  }
  const std::size_t h = kFileHeaderSize;
  const auto width = static_cast<std::int32_t>(getU32(bytes, h + 4));
  const auto rawHeight = static_cast<std::int32_t>(getU32(bytes, h + 8));
  const int bitsPerPixel = getU16(bytes, h + 14);
  const std::uint32_t compression = getU32(bytes, h + 16);
  const bool topDown = rawHeight < 0;
  const std::int64_t height = topDown ? -static_cast<std::int64_t>(rawHeight) : rawHeight;
  if (width < 1 || height < 1) throw CannotLoadFile();
  if (!FitsPictureLimits(width, height)) throw PictureTooLarge(width, height);

  BmpPicture result;
  result.bitsPerPixel = bitsPerPixel;
  if (compression != 0 || (bitsPerPixel != 24 && bitsPerPixel != 32)) return result;

  const std::size_t rowLength = fileRowLength(width, bitsPerPixel);
  if (pixelOffset > bytes.size() ||
      (bytes.size() - pixelOffset) / rowLength < static_cast<std::size_t>(height)) {
    throw CannotLoadFile();
  }
  const int step = bitsPerPixel / 8;
  PixelBuffer pixels = PixelBuffer::ForOverwrite(width, static_cast<int>(height));
  for (int y = 1; y <= height; ++y) {
    const std::size_t fileRow = topDown ? y - 1 : height - y;
    const std::uint8_t* source = bytes.data() + pixelOffset + fileRow * rowLength;
    std::uint8_t* target = pixels.row(y);
    for (int x = 0; x < width; ++x, source += step, target += 3) {
      target[0] = source[0];
      target[1] = source[1];
      target[2] = source[2];
    }
  }
  result.pixels = std::move(pixels);
  return result;
}

BmpPicture ReadBmpFile(const std::filesystem::path& path) {
  // Enough for the largest picture at 32 bits per pixel; anything longer is not one of ours.
  constexpr std::uintmax_t kLongestFile = kMaxPicturePoints * 4 + (1u << 20);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) throw CannotLoadFile();
  const std::uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > kLongestFile) throw CannotLoadFile();
  std::ifstream stream(path, std::ios::binary);
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  if (!stream.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) {
    throw CannotLoadFile();
  }
  return DecodeBmp(bytes);
}

}  // namespace vexa::picture
