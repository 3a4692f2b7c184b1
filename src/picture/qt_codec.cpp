#include "picture/qt_codec.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <cerrno>
#include <span>
#include <string_view>

#include "picture/bmp_file.h"
#include "picture/file_completeness.h"
#include "picture/picture_errors.h"
#include "picture/picture_limits.h"
#include "picture/qt_gif_decoder.h"
#include "picture/qt_gif_encoder.h"
#include "picture/qt_jpeg_decoder.h"
#include "picture/qt_pixel_image.h"
#include "settings/atomic_file.h"

namespace vexa::picture {

namespace {

// No picture file of the accepted size needs more; a longer one is not read into memory.
constexpr qint64 kLongestPictureFile = qint64(1) << 30;
// What the system's encoder call answered when no encoder was chosen (InvalidParameter).
constexpr int kNoEncoderStatus = 2;

QByteArray readPictureFile(const std::filesystem::path& path) {
  std::error_code error;
  // Only plain files: a pipe or a device would block or never end.
  if (!std::filesystem::is_regular_file(path, error)) throw CannotLoadFile();
  QFile file(ToQString(path));
  if (!file.open(QIODevice::ReadOnly) || file.size() > kLongestPictureFile) throw CannotLoadFile();
  QByteArray bytes = file.readAll();
  if (file.error() != QFileDevice::NoError) throw CannotLoadFile();
  return bytes;
}

std::span<const std::uint8_t> spanOf(const QByteArray& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.constData()),
          static_cast<std::size_t>(bytes.size())};
}

void replaceFile(const std::filesystem::path& path, std::string_view content) {
  errno = 0;
  if (!settings::replaceFileAtomically(path, content)) throw StreamNotOpened(errno);
}

// A gray picture as one gray channel (smaller files, no colour fringes); others as they are.
QImage imageForWriter(const PixelBuffer& picture) {
  if (!picture.isGray()) return ToQImage(picture);
  QImage gray(picture.width(), picture.height(), QImage::Format_Grayscale8);
  for (int y = 1; y <= picture.height(); ++y) {
    const std::uint8_t* in = picture.row(y);
    uchar* out = gray.scanLine(y - 1);
    for (int x = 0; x < picture.width(); ++x) out[x] = in[x * 3];
  }
  return gray;
}

QByteArray encodeWithQt(const PixelBuffer& picture, const char* format, int quality) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  if (quality > 0) writer.setQuality(quality);
  if (!writer.write(imageForWriter(picture))) {
    throw SaveFailed(static_cast<int>(writer.error()));
  }
  return bytes;
}

}  // namespace

PixelBuffer DecodePictureBytes(std::span<const std::uint8_t> bytes) {
  if (!LooksComplete(bytes)) throw CannotLoadFile();
  // JPEG and GIF through their own libraries, which say when the data is damaged; the rest
  // (PNG, plain and checked run-length BMP) through Qt, whose readers report it themselves.
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8) return DecodeJpeg(bytes);
  if (bytes.size() >= 4 &&
      std::string_view(reinterpret_cast<const char*>(bytes.data()), 4) == "GIF8") {
    return DecodeGif(bytes);
  }

  QByteArray view = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                            static_cast<qsizetype>(bytes.size()));
  QBuffer buffer(&view);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  // The picture as stored, as the system showed it: no turning by the EXIF orientation.
  reader.setAutoTransform(false);
  const QSize size = reader.size();
  if (size.isValid()) {
    // A picture with no width or no height is a damaged file, not a large one.
    if (size.width() < 1 || size.height() < 1) throw CannotLoadFile();
    if (!FitsPictureLimits(size.width(), size.height())) {
      throw PictureTooLarge(size.width(), size.height());
    }
  }
  if (QImageReader::allocationLimit() < kDecoderAllocationLimitMb) {
    QImageReader::setAllocationLimit(kDecoderAllocationLimitMb);
  }
  QImage image;
  if (!reader.read(&image) || image.isNull()) throw CannotLoadFile();
  return FromQImage(image);
}

PixelBuffer LoadPictureFile(const std::filesystem::path& path) {
  const QByteArray bytes = readPictureFile(path);
  return DecodePictureBytes(spanOf(bytes));
}

void SavePicture(const PixelBuffer& picture, const std::filesystem::path& path, int format,
                 int quality) {
  CheckSaveArguments(picture, format, quality);
  switch (static_cast<SaveFormat>(format)) {
    case SaveFormat::None:
      throw SaveFailed(kNoEncoderStatus);
    case SaveFormat::Bmp:
      WriteBmpFile(picture, path);
      return;
    case SaveFormat::Gif: {
      const std::vector<std::uint8_t> bytes = EncodeGrayGif(picture);
      replaceFile(path, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
      return;
    }
    case SaveFormat::Jpeg: {
      const QByteArray bytes = encodeWithQt(picture, "jpeg", quality);
      replaceFile(path, {bytes.constData(), static_cast<std::size_t>(bytes.size())});
      return;
    }
    case SaveFormat::Png: {
      const QByteArray bytes = encodeWithQt(picture, "png", 0);
      replaceFile(path, {bytes.constData(), static_cast<std::size_t>(bytes.size())});
      return;
    }
  }
}

}  // namespace vexa::picture
