#pragma once
// A G-code file read from disk for a run, the same way for the window and the command line:
// at most one byte more than the reader takes, so a file that grew past the limit, or a device
// that never ends, is refused without being read whole.

#include <filesystem>
#include <optional>
#include <string>

#include "gcode/gcode_program.h"

namespace vexa::gcode {

struct GcodeFileRead {
  std::string text;  // the file's bytes, shown beside the path; empty when it was not read
  GcodeProgram program;
  // Set: the file cannot be run. Its message is shown as it is and names the file, or, for what
  // the reader refuses, the line ("Строка 2: ...").
  std::optional<GcodeError> error;
};

GcodeFileRead ReadGcodeFile(const std::filesystem::path& path, ReadOptions options = {});

}  // namespace vexa::gcode
