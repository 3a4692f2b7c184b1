#include "picture/qt_gif_decoder.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

#include "picture/picture_errors.h"
#include "picture/picture_limits.h"

namespace vexa::picture {

namespace {

struct MemorySource {
  std::span<const std::uint8_t> bytes;
  std::size_t pos = 0;
};

int readFromMemory(GifFileType* gif, GifByteType* out, int wanted) {
  auto* source = static_cast<MemorySource*>(gif->UserData);
  const std::size_t left = source->bytes.size() - source->pos;
  const std::size_t count = std::min(left, static_cast<std::size_t>(std::max(wanted, 0)));
  std::memcpy(out, source->bytes.data() + source->pos, count);
  source->pos += count;
  return static_cast<int>(count);
}

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int ignored = 0;
    DGifCloseFile(gif, &ignored);
  }
};
using GifHandle = std::unique_ptr<GifFileType, GifCloser>;

void checkSize(int width, int height) {
  if (width < 1 || height < 1) throw CannotLoadFile();  // a zero side is a damaged file
  if (!FitsPictureLimits(width, height)) throw PictureTooLarge(width, height);
}

// The transparent colour index of a graphic control extension, if this is one; the extension's
// sub-blocks are read to their end either way.
int readExtension(GifFileType* gif, int transparent) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) != GIF_OK) throw CannotLoadFile();
  if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr) {
    GraphicsControlBlock control;
    if (DGifExtensionToGCB(block[0], block + 1, &control) != GIF_OK) throw CannotLoadFile();
    transparent = control.TransparentColor;
  }
  while (block != nullptr) {
    if (DGifGetExtensionNext(gif, &block) != GIF_OK) throw CannotLoadFile();
  }
  return transparent;
}

// Interlaced frames store every 8th row from 0, every 8th from 4, every 4th from 2, then every
// 2nd from 1; the frame row of stored row `index`.
int frameRow(int index, int height, bool interlaced) {
  if (!interlaced) return index;
  constexpr int kStart[] = {0, 4, 2, 1};
  constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    const int rows =
        kStart[pass] < height ? (height - kStart[pass] + kStep[pass] - 1) / kStep[pass] : 0;
    if (index < rows) return kStart[pass] + index * kStep[pass];
    index -= rows;
  }
  return -1;
}

PixelBuffer decodeFrame(GifFileType* gif, int transparent) {
  if (DGifGetImageDesc(gif) != GIF_OK) throw CannotLoadFile();
  const GifImageDesc& frame = gif->Image;
  checkSize(frame.Width, frame.Height);
  const ColorMapObject* colours = frame.ColorMap != nullptr ? frame.ColorMap : gif->SColorMap;
  if (colours == nullptr || colours->Colors == nullptr) throw CannotLoadFile();

  // Outside the frame the screen shows its background; transparency becomes white, so does this.
  PixelBuffer picture(gif->SWidth, gif->SHeight, 255);
  std::vector<GifPixelType> line(static_cast<std::size_t>(frame.Width));
  for (int stored = 0; stored < frame.Height; ++stored) {
    if (DGifGetLine(gif, line.data(), frame.Width) != GIF_OK) throw CannotLoadFile();
    const int y = frame.Top + frameRow(stored, frame.Height, frame.Interlace);
    if (y >= picture.height()) continue;  // parts outside the screen are not shown
    for (int x = 0; x < frame.Width; ++x) {
      const int index = line[x];
      if (index >= colours->ColorCount) throw CannotLoadFile();  // a colour nobody defined
      if (index == transparent || frame.Left + x >= picture.width()) continue;
      const GifColorType c = colours->Colors[index];
      picture.setColor(frame.Left + x + 1, y + 1, c.Blue, c.Green, c.Red);
    }
  }
  return picture;
}

}  // namespace

PixelBuffer DecodeGif(std::span<const std::uint8_t> bytes) {
  MemorySource source{bytes};
  int error = 0;
  const GifHandle gif(DGifOpen(&source, readFromMemory, &error));
  if (!gif) throw CannotLoadFile();
  checkSize(gif->SWidth, gif->SHeight);
  int transparent = NO_TRANSPARENT_COLOR;
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &record) != GIF_OK) throw CannotLoadFile();
    switch (record) {
      case EXTENSION_RECORD_TYPE:
        transparent = readExtension(gif.get(), transparent);
        break;
      case IMAGE_DESC_RECORD_TYPE:
        return decodeFrame(gif.get(), transparent);
      default:  // the trailer before any picture, or garbage
        throw CannotLoadFile();
    }
  }
}

}  // namespace vexa::picture
