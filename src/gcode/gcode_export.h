#pragma once
// One job's program.gcode in the standard form: opened with its header when the job starts,
// written as the job goes, and ended either by finish() or, when the job was stopped or lost its
// link, by a comment saying where it stopped and a line that leaves the laser off or the cutter
// up. The file is never cut in the middle of a line.

#include <filesystem>
#include <string>

#include "gcode/gcode_file.h"
#include "gcode/standard_lines.h"

namespace vexa::gcode {

class GcodeExport {
 public:
  enum class Tool { Laser, Cutter };

  // Raises GcodeFileError when the file cannot be created.
  GcodeExport(const std::filesystem::path& path, std::string_view header, Tool tool,
              double safeZ);
  ~GcodeExport();
  GcodeExport(const GcodeExport&) = delete;
  GcodeExport& operator=(const GcodeExport&) = delete;

  StandardLines& lines() { return lines_; }
  const StandardLines& lines() const { return lines_; }
  // After every move: hands the gathered lines to the file now and then. A write that fails
  // here raises nothing: an error thrown in the middle of a move would end the job with the
  // laser on. The failure is kept for finish().
  void moved() {
    if (lines_.lineCount() >= nextWrite_) writeQuietly();
  }
  // "M5" and "M2", written and closed. Raises GcodeFileError when a write failed, now or
  // during the job.
  void finish();

 private:
  void writeGathered();
  void writeQuietly();

  std::filesystem::path path_;
  GcodeFile file_;
  StandardLines lines_;
  Tool tool_;
  double safeZ_;
  std::int64_t nextWrite_ = 0;
  bool finished_ = false;
  bool failed_ = false;
};

// The comment that ends a file whose job did not finish.
std::string StoppedComment(const std::string& position);

}  // namespace vexa::gcode
