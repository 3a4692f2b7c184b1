#pragma once
// "Резать" planned on copies of the window's pictures (see milling/milling_plan.h): the strokes
// are found and ordered as the job finds them, and the cut runs with moves that send nothing.

#include <atomic>
#include <string>

#include "cutting/cutting_numbers.h"
#include "figures/figure_snapshot.h"
#include "link/job_estimate.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/position_record.h"

namespace vexa::cutting {

// How "Резать" names itself in its G-code header and its end, and the header's numbers.
inline constexpr const char* kCuttingJobName = "резка по картинке";
inline constexpr const char* kCuttingDoneText = "Резка закончена";
inline std::string CuttingGcodeNumbers(const CuttingNumbers& numbers) {
  return "задержка " + std::to_string(numbers.stepDelay) + " мкс";
}

struct CuttingStart {
  figures::FigureSnapshot pictures;  // the laser picture is the tool picture
  link::PositionRecord::Place place;
};

link::JobEstimate PlanCutting(const CuttingNumbers& numbers, const CuttingStart& start,
                              bool returnToStart, const link::MachineSettings& settings,
                              link::MachineLink& link, const link::TimeModel& model,
                              const std::atomic<bool>& cancelled);

}  // namespace vexa::cutting
