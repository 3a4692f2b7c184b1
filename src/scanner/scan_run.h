#pragma once
// The scan behind "Сканировать": the probe walks the grid, every reading goes into the height
// mesh and onto the preview as it arrives, and a scan with the machine ends with the mesh scaled
// to gray levels. With "Сканировать" unticked the same walk runs dry with random readings.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "link/job_estimate.h"
#include "link/job_progress.h"
#include "link/job_stream.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/scanner_moves.h"
#include "scanner/height_mesh.h"
#include "scanner/scan_numbers.h"
#include "scanner/scan_preview.h"
#include "scanner/scan_walk.h"

namespace vexa::scanner {

inline constexpr const char* kScanFinishedText = "Сканирвание завершено";
// The board has not answered the last command of the scan before.
inline constexpr const char* kLateAnswerText =
    "Контроллер не ответил на последнюю команду прошлого сканирования.\r\n"
    "Сканирование не начато.";
// The probe command's value: the controller receives 0,0,200;.
inline constexpr std::int32_t kProbeValue = -100;

struct ScanParts {
  link::MachineLink& link;
  link::ScannerMoves& moves;  // its reply buffer is the window's
  const link::MachineSettings& settings;
  ScanNumbers numbers;
  std::function<bool()> scanTicked;  // "Сканировать", read at every use
  ScanPreview& preview;
  std::function<void()> redraw;                         // show the preview image again
  std::function<void(const std::string&)> showReading;  // Label9
  // Dry-run readings, in [0, 1); empty: a generator seeded from the clock.
  std::function<float()> random;
  // Going on after a cut link: the commands the board confirmed before are passed over, and
  // the mesh keeps the readings it has.
  std::int64_t firstSent = 0;
  link::JobProgress* progress = nullptr;              // told of every command, when given
  std::function<void(int measured)> showPoints = {};  // grid points measured so far
};

class ScanRun final : private ScanWalkSteps {
 public:
  // `mesh` is the window's height mesh; the run makes it anew once it starts walking.
  ScanRun(ScanParts parts, HeightMesh& mesh);

  // ScanSurface once its fields are checked: clears StopRequested, works out the grid steps,
  // walks, scales after a scan with the machine and shows "Сканирвание завершено". The link
  // abort (Stop, the window closed, a failed read) leaves at once; the mesh then keeps the raw
  // readings taken so far.
  void run();

  std::int32_t lastReading() const { return lastReading_; }
  // Commands whose answer came (a move's "T", a probe's reading), counted from the scan's start:
  // a scan the line cut goes on from there.
  std::int64_t confirmed() const { return confirmed_; }

 private:
  void measure(int column, int row) override;
  void move(int dx, int dy) override;
  // Hands the walk's next command to the stream; true while it is one the board confirmed
  // before a cut.
  bool passingOver();

  bool ticked() const { return !parts_.scanTicked || parts_.scanTicked(); }
  std::int32_t ReadProbeReply();
  void DrawScanPoint(int column, int row);

  ScanParts parts_;
  HeightMesh& mesh_;
  std::int32_t stepX_ = 0;
  std::int32_t stepY_ = 0;
  std::int32_t lastReading_ = 0;
  std::optional<link::JobStream> stream_;  // the walk's commands, from run() on
  std::int64_t confirmed_ = 0;
  int measured_ = 0;
};

// The scan's commands and time with `numbers`, counted from the walk without sending; nullopt
// when a grid step leaves the motor's step range (the scan refuses it). Every command of a scan
// is awaited (the probe's reading, or a move's "T"): `model` is link::AwaitedTimeModel.
std::optional<link::JobEstimate> EstimateScan(const ScanNumbers& numbers,
                                              const link::MachineSettings& settings,
                                              const link::TimeModel& model);

// "Данные: " and the reading, for Label9.
std::string ReadingText(std::int32_t reading);

}  // namespace vexa::scanner
