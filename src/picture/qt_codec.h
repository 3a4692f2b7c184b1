#pragma once
// Decoding picture files and saving pictures (the system's LoadPictureFile and PicSave).

#include <cstdint>
#include <filesystem>
#include <span>

#include "picture/pixel_buffer.h"
#include "picture/save_format.h"

namespace vexa::picture {

// Decodes a BMP, JPEG, PNG or GIF file (by its content, whatever its name) in colour, with
// transparent parts laid over white. A missing, empty, truncated or broken file raises
// CannotLoadFile (error 5 "Cannot load file"); a picture beyond the limits raises
// PictureTooLarge (also error 5) before anything is decoded.
// Damaged files are refused like truncated ones: a run-length BMP whose stream does not cover
// its picture, a GIF whose codes do not give its frame, a JPEG the library warns about
// (file_completeness.h, qt_jpeg_decoder.h, qt_gif_decoder.h). A picture with a zero side is a
// damaged file too.
PixelBuffer LoadPictureFile(const std::filesystem::path& path);

// The same for a file's bytes already in memory.
PixelBuffer DecodePictureBytes(std::span<const std::uint8_t> bytes);

// Writes `picture` to `path` as format 0 to 4 (save_format.h); `quality` (1 to 100) is used by
// JPEG only. Bad arguments raise error 5 before the file is touched; format 0 raises the
// save-failed error, also leaving the file alone. The file is replaced whole or not at all:
// StreamNotOpened when it cannot be written, SaveFailed when the encoder fails.
// BMP is always 24 bits per pixel; GIF holds the 256 gray levels (qt_gif_encoder.h); a gray
// picture goes to JPEG and PNG as one gray channel.
void SavePicture(const PixelBuffer& picture, const std::filesystem::path& path, int format,
                 int quality);

}  // namespace vexa::picture
