#pragma once
// The milling window's three jobs as one request, run on the window's pictures or planned on
// copies of them: the plan runs the very job with moves that send nothing (link::JobStream), so
// its estimate counts the commands the job sends.

#include <atomic>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "figures/figure_snapshot.h"
#include "link/job_estimate.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/position_record.h"
#include "milling/milling_job.h"
#include "milling/milling_numbers.h"

namespace vexa::milling {

enum class MillingJobKind { Selected, All, Relief };  // "Выделенная", "Все", "Резать 3D"

struct MillingRequest {
  MillingJobKind kind = MillingJobKind::All;
  std::int32_t figure = 0;  // the selected figure
  MillingNumbers numbers;
};

// How a job names itself in its G-code header, and the header's numbers: the depth and cutter
// fields as typed, the delay as read.
const char* MillingJobName(MillingJobKind kind);
std::string MillingGcodeNumbers(const MillingFieldTexts& texts, const MillingNumbers& numbers);
inline constexpr const char* kMillingDoneText = "Фрезеровка закончена";

// Runs `request` on `parts`; `source` and `working` are the relief's pictures, `parse` its
// "Разобрать" of the working picture.
void RunMilling(const MillingRequest& request, MillingParts parts,
                const picture::PixelBuffer& source, picture::PixelBuffer& working,
                const std::function<void()>& parse);

// Where a milling job starts: the pictures and figures, the window's state and the moves' place.
struct MillingStart {
  figures::FigureSnapshot pictures;
  MillingState state;
  link::PositionRecord::Place place;
};

// The request planned on copies of what it changes in `start` with "С возвратом в исх." as
// `returnToStart`. `link` is never touched. Raises link::PlanCancelled once `cancelled` is set, and
// link::PlanRefused where the job would stop on a move beyond the step range.
link::JobEstimate PlanMilling(const MillingRequest& request, const MillingStart& start,
                              bool returnToStart, const link::MachineSettings& settings,
                              link::MachineLink& link, const link::TimeModel& model,
                              const std::atomic<bool>& cancelled);

}  // namespace vexa::milling
