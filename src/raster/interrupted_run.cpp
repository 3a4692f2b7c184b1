#include "raster/interrupted_run.h"

#include <algorithm>


namespace vexa::raster {

std::optional<InterruptedRun> NoteInterruption(const link::MachineLink& link,
                                               std::uint64_t readFailuresBefore,
                                               InterruptedRun started, RunJournal& journal) {
  if (link.readFailures() == readFailuresBefore) return std::nullopt;
  const link::ConfirmedCommands::Place first = journal.commands.firstUnconfirmed();
  started.resume.firstMove = first.index;
  started.resume.doublePass = journal.doublePass;
  started.rows = std::max(started.picture.height(), 1);
  // A row move after the last row, or the return move, still belongs to the last row.
  started.row = std::clamp(first.place, 1, started.rows);
  started.opening = link.openings();
  return started;
}

bool SameLevels(const picture::PixelBuffer& shown, const picture::PixelBuffer& walked) {
  if (shown.width() != walked.width() || shown.height() != walked.height()) return false;
  for (int y = 1; y <= shown.height(); ++y) {
    const std::uint8_t* a = shown.row(y);
    const std::uint8_t* b = walked.row(y);
    for (int x = 0; x < shown.width(); ++x) {
      if (a[x * picture::PixelBuffer::kBytesPerPixel] != b[x * picture::PixelBuffer::kBytesPerPixel])
        return false;
    }
  }
  return true;
}

std::string ResumeQuestionText(int row, int rows) {
  return "Продолжить гравировку со строки " + std::to_string(row) + " из " +
         std::to_string(rows) +
         "?\r\nГоловка должна стоять там, где её застал обрыв связи: если её сдвигали, "
         "ответьте \"Нет\".";
}

}  // namespace vexa::raster
