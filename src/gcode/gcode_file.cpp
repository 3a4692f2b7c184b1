#include "gcode/gcode_file.h"

namespace vexa::gcode {

settings::VexaError GcodeFileError(const std::filesystem::path& path) {
  return settings::VexaError(kGcodeFileError, kGcodeFileName,
                             "Ошибка записи файла " + path.string() + "!");
}

GcodeFile::GcodeFile(std::filesystem::path path) : path_(std::move(path)) {
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
  // Binary, so the CR LF line ends are written as they are on every system.
  out_.open(path_, std::ios::binary | std::ios::trunc);
  if (!out_) throw GcodeFileError(path_);
}

void GcodeFile::writeText(std::string_view text) {
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  out_.flush();
  if (!out_) throw GcodeFileError(path_);
}

void GcodeFile::close() {
  out_.close();
  if (!out_) throw GcodeFileError(path_);
}

}  // namespace vexa::gcode
