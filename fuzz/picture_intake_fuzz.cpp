// libFuzzer target for picture intake: any bytes handed in as a picture file go through the
// structure checks and the decoders, then the gray conversion and the work.bmp encoding, as a
// window takes a picture in. A refusal is one of the application's numbered errors; anything
// else (a crash, a sanitizer report, a work.bmp that does not read back) is a finding.

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>
#include <new>
#include <span>
#include <stdexcept>

#include "picture/bmp_file.h"
#include "picture/gray_picture.h"
#include "picture/qt_codec.h"
#include "settings/vexa_error.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
  static QCoreApplication application(*argc, *argv);
  // Qt's readers warn about every broken file they see; that is the point here, not news.
  qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace vexa::picture;
  try {
    const PixelBuffer picture = DecodePictureBytes(std::span(data, size));
    const PixelBuffer gray = Gray32Picture(picture);
    const BmpPicture work = DecodeBmp(EncodeBmp(gray));
    if (work.bitsPerPixel != 24 || work.pixels != gray) std::abort();
  } catch (const vexa::settings::VexaError&) {
    // refused: error 5 or the too-large picture
  } catch (const std::bad_alloc&) {
    // a picture within the limits that this machine cannot hold
  }
  return 0;
}
