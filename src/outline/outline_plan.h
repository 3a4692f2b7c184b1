#pragma once
// The outline window's three jobs as one request, run on the window's pictures or planned on
// copies of them (see milling/milling_plan.h).

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "figures/figure_snapshot.h"
#include "link/job_estimate.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/position_record.h"
#include "outline/outline_job.h"
#include "outline/outline_numbers.h"

namespace vexa::outline {

enum class OutlineJobKind { Selected, All, Fill };  // "Выделенная", "Все", "Грав-ть всё"

struct OutlineRequest {
  OutlineJobKind kind = OutlineJobKind::All;
  std::int32_t figure = 0;  // the selected figure
  OutlineNumbers numbers;
};

// The spot's radius and diameter in pixels, as the milling window sizes its cutter.
inline double SpotRadiusOf(const OutlineNumbers& n, int pictureWidth) {
  return n.diameterMm * pictureWidth / 2 / n.widthMm;
}
inline double SpotDiameterOf(const OutlineNumbers& n, int pictureWidth) {
  return n.diameterMm * pictureWidth / n.widthMm;
}

// How a job names itself in its G-code header, and the header's numbers: the spot as typed, the
// delay as read.
const char* OutlineJobName(OutlineJobKind kind);
std::string OutlineGcodeNumbers(const OutlineFieldTexts& texts, const OutlineNumbers& numbers);
inline constexpr const char* kOutlineDoneText = "Гравировка закончена";

// Runs `request` on `parts`; `source` and `working` are the fill's pictures, `parse` its
// "Разобрать" of the working picture.
void RunOutline(const OutlineRequest& request, OutlineParts parts,
                const picture::PixelBuffer& source, picture::PixelBuffer& working,
                const std::function<void()>& parse);

struct OutlineStart {
  figures::FigureSnapshot pictures;
  OutlineState state;
  link::PositionRecord::Place place;
};

// As PlanMilling.
link::JobEstimate PlanOutline(const OutlineRequest& request, const OutlineStart& start,
                              bool returnToStart, const link::MachineSettings& settings,
                              link::MachineLink& link, const link::TimeModel& model,
                              const std::atomic<bool>& cancelled);

}  // namespace vexa::outline
