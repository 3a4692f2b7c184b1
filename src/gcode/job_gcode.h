#pragma once
// program.gcode of a milling, relief, outline, fill or cutting job: the standard form, fed by
// the job's own step moves (also in a dry run), ended as the job ends.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "gcode/gcode_export.h"
#include "gcode/gcode_options.h"
#include "gcode/step_paths.h"
#include "link/move_listener.h"

namespace vexa::gcode {

class JobGcode {
 public:
  using Tool = GcodeExport::Tool;

  // Creates the file with its header (GcodeFileError when it cannot) and listens in `slot`, the
  // step moves' listener, until it is destroyed. Destroyed without finish(), the file ends with
  // where the job stopped and the laser off or the cutter up.
  JobGcode(const std::filesystem::path& path, std::string_view header, Tool tool, Calibration mm,
           StandardOptions options, link::MoveListener& slot);
  ~JobGcode();
  JobGcode(const JobGcode&) = delete;
  JobGcode& operator=(const JobGcode&) = delete;

  // The job ended by itself: the end lines, and the file closed.
  void finish();

 private:
  link::MoveListener& slot_;
  GcodeExport export_;
  std::optional<MillingPath> milling_;
  std::optional<LaserPath> laser_;
};

// The header comment of a figure job's file: "Vexa: <job>, картинка <file name>, ширина <width>
// мм[, <numbers>]", with the fields' texts as the window shows them.
std::string JobGcodeHeader(std::string_view job, const std::filesystem::path& picture,
                           std::string_view widthText, std::string_view numbers);

}  // namespace vexa::gcode
