#pragma once
// The run behind "Гравировать" of the laser (and impact-head) window and of the wood-burning
// window: setup command, the row walk carried out move by move, the G-code export, the progress
// marks, the final wait and the closing message. The two windows differ only in RunRules.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <vector>

#include "link/confirmed_commands.h"
#include "link/job_estimate.h"
#include "link/job_progress.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/raster_moves.h"
#include "link/wall_clock.h"
#include "picture/pixel_buffer.h"
#include "raster/dwell_scale.h"
#include "gcode/gcode_export.h"
#include "gcode/gcode_file.h"
#include "gcode/gcode_options.h"
#include "gcode/step_paths.h"
#include "raster/gcode_lines.h"
#include "raster/row_walk.h"

namespace vexa::raster {

// What tells the laser run and the wood-burning run apart.
struct RunRules {
  enum class Setup { Laser, Wood };  // ,,,K,D; or ,,D;
  Setup setup = Setup::Laser;
  // Travel, row and return moves carry SM_delay (the hot wire) instead of 0 (laser off).
  bool idleMovesCarryDelay = false;
  bool rowMoveAfterLastRow = false;  // see WalkRules
  // Without pixel redraw, redraw after every row (wood) instead of after every row pair (laser,
  // which redraws then whatever "Отрисовка" says).
  bool redrawEveryRow = false;
  bool showDuration = true;
  // Put the unmarked picture back at the end (the wood window reloads instead).
  bool restoreCleanCopy = true;
};

// The window's check boxes, read at every use: a change during the run counts at once.
struct RunBoxes {
  std::function<bool()> send;  // "Гравировать": unticked, nothing is sent or awaited
  std::function<bool()> pixelRedraw;    // "Отрисовка"
  std::function<bool()> returnToStart;  // "С возвратом в исх."
  std::function<bool()> doublePass;     // "Двойной проход"; empty in the wood window
};

// The window's numbers, checked before the run.
struct RunNumbers {
  double blackDwell = 4000;   // Text4
  double whiteDwell = 0;      // Text3, or SM_delay in the wood window
  double targetWidth = 200;   // Text6, mm
  double targetHeight = 100;  // Text7, mm
};

// What a run leaves behind for going on after a cut link: which of its commands the
// controller confirmed (moves numbered from 0 in the walk's order, places are rows) and how
// "Двойной проход" was answered at each row pair, in the walk's order.
struct RunJournal {
  link::ConfirmedCommands commands;
  std::vector<bool> doublePass;
};

// Going on after a cut link: the moves before `firstMove` were confirmed and are passed over
// (their marks and G-code lines are made, nothing is sent); the setup is sent again first.
// The double pass is answered as recorded as far as the record goes, then by the box.
struct ResumeFrom {
  std::int64_t firstMove = 0;
  std::vector<bool> doublePass;
};

struct RunParts {
  link::MachineLink& link;
  link::RasterMoves& moves;
  const link::MachineSettings& settings;
  // The picture the window shows: the run reads it, marks burned pixels red in it and asks for
  // redraws through `redraw` (RedrawPicture).
  picture::PixelBuffer& bitmap;
  std::function<void()> redraw;
  // Called after every step move (JobState::stepDone).
  std::function<void()> afterMove;
  RunBoxes boxes;
  RunNumbers numbers;
  RunRules rules;
  std::optional<std::filesystem::path> exportPath;  // program.gcode when "G-код" is ticked
  link::WholeSecondsClock clock = link::SystemWholeSeconds;
  // The window's firmware check passed. Without it not even the setup command goes out: a
  // machine with another firmware is not driven at all.
  bool firmwareChecked = true;
  // The estimate of this very run, counted before it (EstimateRun), and where its progress is
  // told; without both, no progress is followed.
  std::optional<link::JobEstimate> estimate = {};
  std::function<void(const link::ProgressReport&)> showProgress = {};
  std::optional<ResumeFrom> resume = {};
  RunJournal* journal = nullptr;  // kept up to date as the run goes, when given
  gcode::Dialect dialect = gcode::Dialect::Vexa;  // the form of program.gcode
  gcode::StandardOptions standard = {};
};

class RasterRun final : private WalkSteps {
 public:
  explicit RasterRun(RunParts parts);

  // Runs to the end and shows "Гравировка закончена!"; false when it refused to start (a message
  // said why: with "Гравировать" ticked, a width and picture that give no whole motor step per
  // pixel). The link abort (the user stopped, the port failed) leaves at once: marks stay, the
  // export file keeps what was written. Other errors (the export file) pass on.
  bool run();

  std::int64_t movesPlanned() const { return movesPlanned_; }
  std::int64_t gcodeLines() const {
    return lines_ ? lines_->lineCount() : standardExport_ ? standardExport_->lines().lineCount() : 0;
  }

 private:
  void travel(std::int32_t dx, std::int32_t edge) override;
  void burn(std::int32_t dx, std::uint8_t level, std::int32_t edge, int x, int y) override;
  void rowMove(int row) override;
  void rowDone(bool backward) override;
  void returnMove(std::int32_t dx, std::int32_t dy) override;

  void move(std::int32_t dx, std::int32_t dy, std::int32_t dwell);
  void startStandardExport();
  void standardTravel(std::int32_t dx, std::int32_t dy);
  bool doublePassAnswer();
  std::int32_t idleDwell() const;
  bool ticked(const std::function<bool()>& box) const { return box && box(); }
  void sendSetup(std::int32_t stepsPerPixel);
  void showWorkingCopy();

  RunParts parts_;
  DwellScale dwell_;
  picture::PixelBuffer working_;
  std::optional<GcodeLines> lines_;
  gcode::GcodeFile* file_ = nullptr;
  // The standard form instead of lines_ and file_.
  std::optional<gcode::GcodeExport> standardExport_;
  std::optional<gcode::RasterPath> standardPath_;
  link::AxisSteps standardSteps_;  // whole steps per pixel
  std::int64_t movesPlanned_ = 0;
  std::int64_t firstSent_ = 0;  // moves before it are passed over (a resumed run)
  std::size_t doublePassAsked_ = 0;
  int row_ = 1;  // the row the walk works on; a row move counts to the row it goes to
  std::optional<link::JobProgress> progress_;
  // Commands done (the setup counted as the first) at which progress_ is next due; never
  // reached when the run is not followed.
  std::int64_t progressDue_ = std::numeric_limits<std::int64_t>::max();
  bool noWholeSteps_ = false;  // no command may reach the machine in this run
};

// "Гравировка закончена!", with "Продолжительность: hh:mm:ss" on a second line when `seconds`
// is given. Hours are not wrapped.
std::string FinishedText(std::optional<std::int64_t> seconds);
inline constexpr const char* kFinishedCaption = "Лазерная гравировка";
// A width and picture that give no whole motor step per pixel would burn in one place.
inline constexpr const char* kNoStepsText =
    "Диаметр пятна меньше шага двигателя: пиксель не даёт ни одного шага.\r\n"
    "Гравировка невозможна.";

}  // namespace vexa::raster
