#include "gcode/read_gcode_file.h"

#include <fstream>
#include <system_error>

#include "settings/path_text.h"

namespace vexa::gcode {

GcodeFileRead ReadGcodeFile(const std::filesystem::path& path, ReadOptions options) {
  GcodeFileRead out;
  const std::string name = settings::PathToUtf8(path);
  const auto refuse = [&](std::string message) {
    out.error = GcodeError{0, std::move(message)};
    return std::move(out);
  };
  const std::string tooLarge = "Файл " + name + " больше 50 МБ: такой G-код не открывается.";
  std::error_code error;
  const std::filesystem::file_status status = std::filesystem::status(path, error);
  if (!std::filesystem::exists(status)) return refuse("Файл " + name + " не найден!");
  if (std::filesystem::is_directory(status)) {
    return refuse("Ошибка чтения файла " + name + ": это папка.");
  }
  if (std::filesystem::is_regular_file(status)) {
    const auto size = std::filesystem::file_size(path, error);
    if (!error && size > kMostGcodeBytes) return refuse(tooLarge);
  }
  std::ifstream file(path, std::ios::binary);
  if (!file) return refuse("Ошибка чтения файла " + name);
  char chunk[1 << 16];
  while (out.text.size() <= kMostGcodeBytes && file) {
    file.read(chunk, sizeof chunk);
    out.text.append(chunk, static_cast<std::size_t>(file.gcount()));
  }
  if (file.bad()) return refuse("Ошибка чтения файла " + name);
  if (out.text.size() > kMostGcodeBytes) {
    out.text.clear();
    return refuse(tooLarge);
  }
  GcodeRead read = ReadGcodeProgram(out.text, options);
  out.program = std::move(read.program);
  out.error = std::move(read.error);
  return out;
}

}  // namespace vexa::gcode
