#include "picture/qt_jpeg_decoder.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE and size_t first
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <vector>

#include "picture/picture_errors.h"
#include "picture/picture_limits.h"

namespace vexa::picture {

namespace {

// A progressive picture is made of scans; a hostile file may hold thousands of tiny ones, each
// costing a pass over the whole picture. Encoders write about ten.
constexpr int kMostScans = 500;
// The library's own working memory (a progressive picture keeps all its coefficients).
constexpr long kLibraryMemory = 512L << 20;

// libjpeg reports through callbacks that must not return on an error; they jump back to the
// decoding step, which only holds plain data for that reason.
struct Failure {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

// Warnings about the file's descriptions, not its pixels: the picture is whole.
bool harmlessWarning(int code) {
  return code == JWRN_JFIF_MAJOR || code == JWRN_ADOBE_XFORM || code == JWRN_BOGUS_ICC ||
         code == JWRN_EXTRANEOUS_DATA;  // bytes left over after complete picture data
}

[[noreturn]] void giveUp(j_common_ptr info) {
  std::longjmp(reinterpret_cast<Failure*>(info->err)->jump, 1);
}

void onMessage(j_common_ptr info, int level) {
  // Level -1 is a warning; higher levels are trace messages.
  if (level < 0 && !harmlessWarning(info->err->msg_code)) giveUp(info);
}

void onProgress(j_common_ptr info) {
  if (info->is_decompressor &&
      reinterpret_cast<j_decompress_ptr>(info)->input_scan_number > kMostScans) {
    giveUp(info);
  }
}

struct Decoder {
  jpeg_decompress_struct info{};
  Failure failure{};
  jpeg_progress_mgr progress{};
  bool created = false;

  ~Decoder() {
    if (created) jpeg_destroy_decompress(&info);
  }
};

bool readHeader(Decoder& d, std::span<const std::uint8_t> bytes) {
  d.info.err = jpeg_std_error(&d.failure.manager);
  d.failure.manager.error_exit = giveUp;
  d.failure.manager.emit_message = onMessage;
  if (setjmp(d.failure.jump)) return false;
  jpeg_create_decompress(&d.info);
  d.created = true;
  d.info.mem->max_memory_to_use = kLibraryMemory;
  d.progress.progress_monitor = onProgress;
  d.info.progress = &d.progress;
  jpeg_mem_src(&d.info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&d.info, TRUE);
  return true;
}

// Every coefficient of a progressive picture must have been refined to full precision: a file
// whose later scans are missing (end marker kept) would show a blurred guess.
bool progressionFinished(const jpeg_decompress_struct& info) {
  if (!info.progressive_mode || info.coef_bits == nullptr) return true;
  for (int c = 0; c < info.num_components; ++c) {
    for (int k = 0; k < DCTSIZE2; ++k) {
      if (info.coef_bits[c][k] != 0) return false;
    }
  }
  return true;
}

// Adobe's CMYK JPEGs hold the inks inverted: each byte is how much light the ink lets through.
void cmykLineToBgr(const JSAMPLE* in, std::uint8_t* out, JDIMENSION width) {
  for (JDIMENSION x = 0; x < width; ++x, in += 4, out += 3) {
    const unsigned k = in[3];
    out[0] = static_cast<std::uint8_t>(in[2] * k / 255);
    out[1] = static_cast<std::uint8_t>(in[1] * k / 255);
    out[2] = static_cast<std::uint8_t>(in[0] * k / 255);
  }
}

// Decodes into `pixels` (rows `stride` apart); `cmykLine` holds one line of 4-byte pixels when
// the output is CMYK.
bool readPixels(Decoder& d, std::uint8_t* pixels, std::size_t stride, JSAMPLE* cmykLine) {
  if (setjmp(d.failure.jump)) return false;
  jpeg_start_decompress(&d.info);
  if (!progressionFinished(d.info)) return false;
  while (d.info.output_scanline < d.info.output_height) {
    std::uint8_t* row = pixels + stride * d.info.output_scanline;
    JSAMPROW target = cmykLine != nullptr ? cmykLine : row;
    if (jpeg_read_scanlines(&d.info, &target, 1) != 1) return false;
    if (cmykLine != nullptr) cmykLineToBgr(cmykLine, row, d.info.output_width);
  }
  jpeg_finish_decompress(&d.info);
  return true;
}

}  // namespace

PixelBuffer DecodeJpeg(std::span<const std::uint8_t> bytes) {
  Decoder d;
  if (!readHeader(d, bytes)) throw CannotLoadFile();
  const JDIMENSION width = d.info.image_width;
  const JDIMENSION height = d.info.image_height;
  if (width < 1 || height < 1) throw CannotLoadFile();
  if (!FitsPictureLimits(width, height)) throw PictureTooLarge(width, height);

  const bool cmyk = d.info.jpeg_color_space == JCS_CMYK || d.info.jpeg_color_space == JCS_YCCK;
  d.info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  PixelBuffer picture =
      PixelBuffer::ForOverwrite(static_cast<int>(width), static_cast<int>(height));
  std::vector<JSAMPLE> cmykLine(cmyk ? std::size_t{width} * 4 : 0);
  if (!readPixels(d, picture.data(), static_cast<std::size_t>(picture.stride()),
                  cmyk ? cmykLine.data() : nullptr)) {
    throw CannotLoadFile();
  }
  return picture;
}

}  // namespace vexa::picture
