#pragma once
// program.gcode: replaced by every exporting run, written after every row pair and at the end,
// so an interrupted run leaves a complete file up to its last written row pair.

#include <filesystem>
#include <fstream>
#include <string>

#include "settings/vexa_error.h"

namespace vexa::raster {

class GcodeLines;

inline constexpr const char* kGcodeFileName = "program.gcode";
inline constexpr int kGcodeFileError = 75;  // the system's "Path/File access error"

class GcodeFile {
 public:
  // Deletes an older file and creates an empty one; raises GcodeFileError when it cannot.
  explicit GcodeFile(std::filesystem::path path);

  // Appends the gathered lines and a CR LF, if there are any, and empties them; the bytes are
  // handed to the system at once. Raises GcodeFileError when the write fails.
  void write(GcodeLines& lines);
  void close();

 private:
  std::filesystem::path path_;
  std::ofstream out_;
};

// The message of an export file that could not be created or written.
settings::VexaError GcodeFileError(const std::filesystem::path& path);

}  // namespace vexa::raster
