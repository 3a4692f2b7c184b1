// Taking in a 12-megapixel photograph as the raster windows do: decode the JPEG, make it gray,
// fit it to 1000 pixels across (200 mm at 0.2 mm). Each step alone, the whole chain, and for
// comparison Qt doing the nearest thing with its own calls (decode, gray, scale to 1000 x 750).
// The JPEG is decoded by libjpeg-turbo itself (with the structure check before it); the bytes in
// memory are also decoded the way it was done through Qt's reader, for the ratio.

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTemporaryDir>
#include <cmath>
#include <filesystem>

#include "picture/file_completeness.h"
#include "picture/fit_plan.h"
#include "picture/gray_picture.h"
#include "picture/qt_codec.h"
#include "picture/qt_pixel_image.h"

namespace {

using namespace vexa::picture;

constexpr int kWidth = 4000;
constexpr int kHeight = 3000;
constexpr double kTargetWidth = 200;
constexpr double kSpotDiameter = 0.2;

// A colour photograph stand-in: smooth gradients with some texture, JPEG quality 90.
const std::filesystem::path& photoPath() {
  static QTemporaryDir folder;
  static const std::filesystem::path path = [] {
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (int y = 0; y < kHeight; ++y) {
      auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < kWidth; ++x) {
        const int texture = static_cast<int>((x * 7919u + y * 104729u) % 23);
        line[x] = qRgb((x / 16 + texture) % 256, (y / 12) % 256,
                       static_cast<int>(128 + 100 * std::sin((x + y) / 300.0)));
      }
    }
    const std::filesystem::path file = folder.path().toStdString() + "/photo.jpg";
    if (!image.save(QString::fromStdString(file.string()), "jpeg", 90)) std::abort();
    return file;
  }();
  return path;
}

void DecodeJpeg(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(LoadPictureFile(photoPath()));
}
BENCHMARK(DecodeJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

const QByteArray& photoBytes() {
  static const QByteArray bytes = [] {
    QFile file(ToQString(photoPath()));
    if (!file.open(QIODevice::ReadOnly)) std::abort();
    return file.readAll();
  }();
  return bytes;
}

std::span<const std::uint8_t> photoSpan() {
  return {reinterpret_cast<const std::uint8_t*>(photoBytes().constData()),
          static_cast<std::size_t>(photoBytes().size())};
}

// From bytes in memory to a PixelBuffer: the structure check and libjpeg-turbo.
void LibjpegBytesToPixels(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DecodePictureBytes(photoSpan()));
}
BENCHMARK(LibjpegBytesToPixels)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same through Qt's reader, as the intake did before: QImage, then the copy to a PixelBuffer.
void QtBytesToPixels(benchmark::State& state) {
  for (auto _ : state) {
    QImage image;
    image.loadFromData(photoBytes());
    benchmark::DoNotOptimize(FromQImage(image));
  }
}
BENCHMARK(QtBytesToPixels)->Unit(benchmark::kMillisecond)->UseRealTime();

// The structure walk over the file alone.
void JpegStructureCheck(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(LooksComplete(photoSpan()));
}
BENCHMARK(JpegStructureCheck)->Unit(benchmark::kMillisecond)->UseRealTime();

void GrayConversion(benchmark::State& state) {
  const PixelBuffer colour = LoadPictureFile(photoPath());
  for (auto _ : state) benchmark::DoNotOptimize(Gray32Picture(colour));
}
BENCHMARK(GrayConversion)->Unit(benchmark::kMillisecond)->UseRealTime();

void FitTo1000Across(benchmark::State& state) {
  const PixelBuffer gray = Gray32Picture(LoadPictureFile(photoPath()));
  const FitPlan plan = PlanFit(kTargetWidth, kSpotDiameter, gray.width(), gray.height());
  for (auto _ : state) benchmark::DoNotOptimize(FitPicture(gray, plan));
}
BENCHMARK(FitTo1000Across)->Unit(benchmark::kMillisecond)->UseRealTime();

void DecodeGrayFit(benchmark::State& state) {
  for (auto _ : state) {
    const PixelBuffer gray = Gray32Picture(LoadPictureFile(photoPath()));
    const FitPlan plan = PlanFit(kTargetWidth, kSpotDiameter, gray.width(), gray.height());
    benchmark::DoNotOptimize(FitPicture(gray, plan));
  }
}
BENCHMARK(DecodeGrayFit)->Unit(benchmark::kMillisecond)->UseRealTime();

// Qt's decoder alone: what LoadPictureFile adds is the file checks and the copy to a PixelBuffer.
void QtDecodeOnly(benchmark::State& state) {
  const QString file = ToQString(photoPath());
  for (auto _ : state) benchmark::DoNotOptimize(QImageReader(file).read());
}
BENCHMARK(QtDecodeOnly)->Unit(benchmark::kMillisecond)->UseRealTime();

// The baseline: Qt's decoder, its gray conversion and its (nearest-pixel) scaling.
void QtDecodeGrayScale(benchmark::State& state) {
  const QString file = ToQString(photoPath());
  for (auto _ : state) {
    QImageReader reader(file);
    const QImage gray = reader.read().convertToFormat(QImage::Format_Grayscale8);
    benchmark::DoNotOptimize(gray.scaled(1000, 750, Qt::IgnoreAspectRatio, Qt::FastTransformation));
  }
}
BENCHMARK(QtDecodeGrayScale)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  photoPath();  // made before any timing
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
