#include "picture/qt_gif_encoder.h"

#include <gif_lib.h>

#include <memory>

#include "picture/gray_picture.h"
#include "picture/picture_errors.h"

namespace vexa::picture {

namespace {

int appendBytes(GifFileType* gif, const GifByteType* bytes, int length) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + length);
  return length;
}

struct MapDeleter {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};

}  // namespace

std::vector<std::uint8_t> EncodeGrayGif(const PixelBuffer& picture) {
  PixelBuffer converted;
  if (!picture.isGray()) converted = Gray32Picture(picture);
  const PixelBuffer& gray = converted.empty() ? picture : converted;

  GifColorType levels[256];
  for (int i = 0; i < 256; ++i) {
    levels[i].Red = levels[i].Green = levels[i].Blue = static_cast<GifByteType>(i);
  }
  const std::unique_ptr<ColorMapObject, MapDeleter> palette(GifMakeMapObject(256, levels));
  if (!palette) throw SaveFailed(E_GIF_ERR_NOT_ENOUGH_MEM);

  std::vector<std::uint8_t> bytes;
  int error = 0;
  GifFileType* gif = EGifOpen(&bytes, appendBytes, &error);
  if (gif == nullptr) throw SaveFailed(error);

  std::vector<GifPixelType> line(static_cast<std::size_t>(gray.width()));
  bool written =
      EGifPutScreenDesc(gif, gray.width(), gray.height(), 8, 255, palette.get()) == GIF_OK &&
      EGifPutImageDesc(gif, 0, 0, gray.width(), gray.height(), false, nullptr) == GIF_OK;
  for (int y = 1; written && y <= gray.height(); ++y) {
    const std::uint8_t* in = gray.row(y);
    for (int x = 0; x < gray.width(); ++x) line[x] = in[x * 3];
    written = EGifPutLine(gif, line.data(), gray.width()) == GIF_OK;
  }
  const int putError = gif->Error;
  // Closing writes the trailer and frees the handle, whether or not the lines went out.
  const bool closed = EGifCloseFile(gif, &error) == GIF_OK;
  if (!written) throw SaveFailed(putError);
  if (!closed) throw SaveFailed(error);
  return bytes;
}

}  // namespace vexa::picture
