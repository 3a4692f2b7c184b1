#include "gcode/job_gcode.h"

#include "settings/path_text.h"

namespace vexa::gcode {

JobGcode::JobGcode(const std::filesystem::path& path, std::string_view header, Tool tool,
                   Calibration mm, StandardOptions options, link::MoveListener& slot)
    : slot_(slot), export_(path, header, tool, options.safeZ) {
  if (tool == Tool::Cutter) {
    milling_.emplace(export_.lines(), mm, options.safeZ);
    slot_ = [this](const link::StepsMoved& move) {
      milling_->moved(move);
      export_.moved();
    };
  } else {
    laser_.emplace(export_.lines(), mm, options.sMax);
    slot_ = [this](const link::StepsMoved& move) {
      laser_->moved(move);
      export_.moved();
    };
  }
}

JobGcode::~JobGcode() {
  slot_ = {};
}

void JobGcode::finish() {
  slot_ = {};
  export_.finish();
}

std::string JobGcodeHeader(std::string_view job, const std::filesystem::path& picture,
                           std::string_view widthText, std::string_view numbers) {
  std::string header = "Vexa: " + std::string(job) + ", картинка " +
                       settings::PathToUtf8(picture.filename()) + ", ширина " +
                       std::string(widthText) + " мм";
  if (!numbers.empty()) header += ", " + std::string(numbers);
  return header;
}

}  // namespace vexa::gcode
