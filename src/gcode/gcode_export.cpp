#include "gcode/gcode_export.h"

namespace vexa::gcode {

namespace {

// Lines gathered between writes: a stopped job loses nothing, a long one writes in big pieces.
constexpr std::int64_t kLinesPerWrite = 4096;

}  // namespace

std::string StoppedComment(const std::string& position) {
  return "Работа прервана" + (position.empty() ? std::string() : " на " + position);
}

GcodeExport::GcodeExport(const std::filesystem::path& path, std::string_view header, Tool tool,
                         double safeZ)
    : path_(path), file_(path), tool_(tool), safeZ_(safeZ) {
  lines_.header(header);
  writeGathered();
}

void GcodeExport::writeGathered() {
  file_.write(lines_);
  nextWrite_ = lines_.lineCount() + kLinesPerWrite;
}

void GcodeExport::writeQuietly() {
  if (failed_) {
    lines_.clear();  // the file is lost already; the lines are not kept in memory either
    nextWrite_ = lines_.lineCount() + kLinesPerWrite;
    return;
  }
  try {
    writeGathered();
  } catch (const settings::VexaError&) {
    failed_ = true;
  }
}

void GcodeExport::finish() {
  lines_.end();
  finished_ = true;
  if (failed_) throw GcodeFileError(path_);
  writeGathered();
  file_.close();
}

GcodeExport::~GcodeExport() {
  if (finished_ || failed_) return;
  try {
    lines_.comment(StoppedComment(lines_.position()));
    if (tool_ == Tool::Cutter) lines_.rapid({}, {}, safeZ_);
    lines_.laserOff(true);
    lines_.end();
    writeGathered();
    file_.close();
  } catch (...) {
    // The job's own end is being reported already; a file that cannot take its last lines
    // keeps what it has, every line of it whole.
  }
}

}  // namespace vexa::gcode
