#pragma once
// "Резать" planned on copies of the window's pictures (see milling/milling_plan.h): the strokes
// are found and ordered as the job finds them, and the cut runs with moves that send nothing.

#include <atomic>

#include "figures/figure_snapshot.h"
#include "link/job_estimate.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/position_record.h"
#include "cutting/cutting_numbers.h"

namespace vexa::cutting {

struct CuttingStart {
  figures::FigureSnapshot pictures;  // the laser picture is the tool picture
  link::PositionRecord::Place place;
};

link::JobEstimate PlanCutting(const CuttingNumbers& numbers, const CuttingStart& start,
                              bool returnToStart, const link::MachineSettings& settings,
                              link::MachineLink& link, const link::TimeModel& model,
                              const std::atomic<bool>& cancelled);

}  // namespace vexa::cutting
