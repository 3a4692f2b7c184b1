#include "raster/raster_run.h"

#include <algorithm>
#include <cstdlib>

#include "link/commands.h"
#include "link/job_stream.h"
#include "link/link_abort.h"
#include "settings/settings.h"

namespace vexa::raster {

std::string FinishedText(std::optional<std::int64_t> seconds) {
  std::string text = "Гравировка закончена!";
  if (!seconds) return text;
  return text + "\r\nПродолжительность: " + link::ClockText(*seconds);
}

RasterRun::RasterRun(RunParts parts)
    : parts_(std::move(parts)), dwell_(parts_.numbers.blackDwell, parts_.numbers.whiteDwell) {}

bool RasterRun::run() {
  const std::int64_t start = parts_.clock();
  parts_.link.StopRequested = false;
  const std::int32_t stepsX = parts_.moves.stepsPerPixelX();
  // Without a whole motor step per pixel the machine would burn in one place. That matters only
  // to commands sent: a G-code conversion (or a dry run) goes ahead, and nothing is sent to the
  // machine during it, not even the setup.
  noWholeSteps_ = stepsX == 0 || parts_.moves.stepsPerPixelY() == 0;
  if (noWholeSteps_ && ticked(parts_.boxes.send)) {
    parts_.link.prompts().message(link::kErrorCaption, kNoStepsText);
    return false;
  }
  // The run reads its own copy: the picture on the screen only receives the marks.
  working_ = parts_.bitmap;
  const picture::PixelBuffer clean =
      parts_.rules.restoreCleanCopy ? working_ : picture::PixelBuffer();
  std::optional<gcode::GcodeFile> file;
  if (parts_.exportPath && parts_.dialect == gcode::Dialect::Standard) {
    startStandardExport();
  } else if (parts_.exportPath) {
    // The choice is fixed for the whole run: a file opened halfway would lack its beginning.
    file.emplace(*parts_.exportPath);
    file_ = &*file;
    lines_.emplace(parts_.numbers.targetWidth, working_.width(), parts_.numbers.targetHeight,
                   working_.height());
  }
  if (parts_.resume) firstSent_ = parts_.resume->firstMove;
  if (parts_.journal) {
    parts_.journal->commands.begin(parts_.moves.replyBuffer);
    parts_.journal->doublePass.clear();
  }
  if (parts_.estimate && parts_.showProgress) {
    progress_.emplace(*parts_.estimate, parts_.showProgress, link::JobClock(parts_.link));
    // The setup and the moves passed over take no time worth measuring.
    if (firstSent_ > 0) progress_->skipped(1 + firstSent_);
  }
  if (parts_.firmwareChecked && !noWholeSteps_) sendSetup(stepsX);
  if (progress_) {
    if (firstSent_ == 0) progress_->commandDone();
    progressDue_ = progress_->nextCheck();
  }

  WalkRules walk;
  walk.doublePass = [this] { return doublePassAnswer(); };
  walk.rowMoveAfterLastRow = parts_.rules.rowMoveAfterLastRow;
  walk.returnToStart = parts_.boxes.returnToStart;
  WalkRows(working_, walk, *this);

  if (file) file->write(*lines_);
  if (progress_) progress_->finish();
  parts_.link.WaitReply(parts_.moves.replyBuffer, link::ReplyWait::JobWindow(parts_.boxes.send));
  if (file) file->close();
  file_ = nullptr;
  if (standardExport_) standardExport_->finish();

  const std::optional<std::int64_t> seconds =
      parts_.rules.showDuration ? std::optional(parts_.clock() - start) : std::nullopt;
  parts_.link.prompts().message(kFinishedCaption, FinishedText(seconds));
  if (parts_.rules.restoreCleanCopy) {
    parts_.bitmap = clean;
    if (parts_.redraw) parts_.redraw();
  }
  return true;
}

// Sent whatever "Гравировать" says and not awaited: its "T" is taken by the first move's wait,
// and the final wait takes the last move's.
void RasterRun::sendSetup(std::int32_t stepsPerPixel) {
  const int delay = parts_.settings.SM_delay;
  if (parts_.journal && parts_.link.isOpen()) {
    parts_.journal->commands.sent(link::ConfirmedCommands::kSetup, row_);
  }
  parts_.link.Send(parts_.moves.replyBuffer,
                   parts_.rules.setup == RunRules::Setup::Laser
                       ? link::RasterSetup(std::abs(std::int64_t{stepsPerPixel}), delay)
                       : link::WoodSetup(delay));
}

std::int32_t RasterRun::idleDwell() const {
  return parts_.rules.idleMovesCarryDelay ? parts_.settings.SM_delay : 0;
}

void RasterRun::move(std::int32_t dx, std::int32_t dy, std::int32_t dwell) {
  // "Гравировать" ticked during a run that has no whole steps: stopped before the first command.
  if (noWholeSteps_ && ticked(parts_.boxes.send)) {
    parts_.link.prompts().message(link::kErrorCaption, kNoStepsText);
    throw link::LinkAbort();
  }
  const std::int64_t index = movesPlanned_++;
  if (index < firstSent_) return;  // confirmed before the link was cut
  if (parts_.journal) {
    if (ticked(parts_.boxes.send)) {
      parts_.journal->commands.sent(index, row_);
    } else {
      parts_.journal->commands.planned(index + 1, row_);
    }
  }
  parts_.moves.StepMove(dx, dy, dwell, true);
  // Commands done: the setup and the moves up to this one.
  if (index + 2 == progressDue_) {
    progress_->reached();
    progressDue_ = progress_->nextCheck();
  }
  if (parts_.afterMove) parts_.afterMove();
}

bool RasterRun::doublePassAnswer() {
  const std::size_t asked = doublePassAsked_++;
  const bool answer = parts_.resume && asked < parts_.resume->doublePass.size()
                          ? parts_.resume->doublePass[asked]
                          : ticked(parts_.boxes.doublePass);
  if (parts_.journal) parts_.journal->doublePass.push_back(answer);
  return answer;
}

void RasterRun::startStandardExport() {
  const RunNumbers& n = parts_.numbers;
  const std::string header =
      std::string(parts_.rules.setup == RunRules::Setup::Laser ? "Vexa: лазерная гравировка"
                                                               : "Vexa: выжигание") +
      ", " + std::to_string(working_.width()) + " x " + std::to_string(working_.height()) +
      " пикс., " + settings::FormatDot(n.targetWidth) + " x " + settings::FormatDot(n.targetHeight) +
      " мм, выдержка " + settings::FormatDot(n.whiteDwell) + ".." +
      settings::FormatDot(n.blackDwell) + " мкс";
  standardExport_.emplace(*parts_.exportPath, header, gcode::GcodeExport::Tool::Laser,
                          parts_.standard.safeZ);
  // The fields are read once, at the start, as for the setup command.
  standardSteps_ = {parts_.moves.stepsPerPixelX(), parts_.moves.stepsPerPixelY(), 0};
  standardPath_.emplace(standardExport_->lines(), gcode::Calibration::Of(parts_.settings),
                        parts_.standard.sMax, std::max(n.blackDwell, n.whiteDwell),
                        standardSteps_.x);
}

void RasterRun::standardTravel(std::int32_t dx, std::int32_t dy) {
  if (!standardPath_) return;
  standardPath_->travel(dx * standardSteps_.x, dy * standardSteps_.y);
  standardExport_->moved();
}

void RasterRun::travel(std::int32_t dx, std::int32_t edge) {
  move(dx, 0, idleDwell());
  if (lines_) lines_->travel(edge);
  standardTravel(dx, 0);
}

void RasterRun::burn(std::int32_t dx, std::uint8_t level, std::int32_t edge, int x, int y) {
  row_ = y;
  const std::int32_t dwell = dwell_(level);
  if (lines_) lines_->burn(dwell, edge);
  move(dx, 0, dwell);
  if (standardPath_) {
    standardPath_->burn(dx * standardSteps_.x, dwell);
    standardExport_->moved();
  }
  working_.pixel(x, y)[2] = 255;
  // The screen's picture is the same size unless something replaced it during the run.
  picture::PixelBuffer& shown = parts_.bitmap;
  if (shown.width() == working_.width() && shown.height() == working_.height()) {
    shown.pixel(x, y)[2] = 255;
  }
  if (ticked(parts_.boxes.pixelRedraw)) showWorkingCopy();
}

void RasterRun::rowMove(int row) {
  row_ = row;
  move(0, 1, idleDwell());
  if (lines_) lines_->row(row);
  standardTravel(0, 1);
}

void RasterRun::rowDone(bool backward) {
  if (parts_.rules.redrawEveryRow ? !ticked(parts_.boxes.pixelRedraw) : backward) {
    showWorkingCopy();
  }
  if (backward && file_ != nullptr) file_->write(*lines_);
}

void RasterRun::returnMove(std::int32_t dx, std::int32_t dy) {
  move(dx, dy, idleDwell());
  if (lines_) lines_->returnHome();
  standardTravel(dx, dy);
}

void RasterRun::showWorkingCopy() {
  if (parts_.bitmap.width() != working_.width() || parts_.bitmap.height() != working_.height()) {
    parts_.bitmap = working_;
  }
  if (parts_.redraw) parts_.redraw();
}

}  // namespace vexa::raster
