#pragma once
// program.gcode: replaced by every exporting run and written as the run goes, so an interrupted
// run leaves a file that is complete up to its last write.

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "settings/vexa_error.h"

namespace vexa::gcode {

inline constexpr const char* kGcodeFileName = "program.gcode";
inline constexpr int kGcodeFileError = 75;  // the system's "Path/File access error"

class GcodeFile {
 public:
  // Deletes an older file and creates an empty one; raises GcodeFileError when it cannot.
  explicit GcodeFile(std::filesystem::path path);

  // Appends the lines gathered in `lines` (anything with empty(), text() and clear(), each line
  // ended by CR LF), if there are any, and empties them; the bytes are handed to the system at
  // once. Raises GcodeFileError when the write fails.
  template <typename Lines>
  void write(Lines& lines) {
    if (lines.empty()) return;
    writeText(lines.text());
    lines.clear();
  }
  void close();

 private:
  void writeText(std::string_view text);

  std::filesystem::path path_;
  std::ofstream out_;
};

// The message of an export file that could not be created or written.
settings::VexaError GcodeFileError(const std::filesystem::path& path);

}  // namespace vexa::gcode
