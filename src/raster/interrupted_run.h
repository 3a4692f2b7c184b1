#pragma once
// A raster run cut off by a failed link, kept by its window until it goes on ("Продолжить") or
// is given up. Every move is relative, so the head stands where the last confirmed command
// left it, and the run can go on from the first command the controller never confirmed.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "link/machine_link.h"
#include "picture/pixel_buffer.h"
#include "raster/raster_run.h"

namespace vexa::raster {

struct InterruptedRun {
  picture::PixelBuffer picture;  // the unmarked picture the run walked
  RunNumbers numbers;            // as read from the fields, before the mode's rules
  std::optional<std::filesystem::path> exportPath;
  ResumeFrom resume;
  int row = 1;  // the row of the first unconfirmed command, 1 to rows
  int rows = 1;
  std::uint64_t opening = 0;  // MachineLink::openings() when the link was cut
};

// What a run leaves when the link abort ended it: an InterruptedRun when a read failed during
// it (a lost port fails the next read), `readFailuresBefore` being MachineLink::readFailures()
// from before the run; nullopt after a stop the user chose.
std::optional<InterruptedRun> NoteInterruption(const link::MachineLink& link,
                                               std::uint64_t readFailuresBefore,
                                               InterruptedRun started, RunJournal& journal);

// The picture the window shows is still the one the run walked (same size, same gray levels;
// the red marks do not count).
bool SameLevels(const picture::PixelBuffer& shown, const picture::PixelBuffer& walked);

// The question before going on.
std::string ResumeQuestionText(int row, int rows);

}  // namespace vexa::raster
