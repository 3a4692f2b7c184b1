#pragma once
// The estimate shown before "Гравировать": the raster run's commands counted from the row walk,
// without sending or building them, and timed with the link's time model. The raster firmware
// drives one axis at a time, so a move takes (|X| + |Y|) steps at its third field's delay per
// step: the dwell of a burn, SM_delay for travel (a third field of 0 on the laser, which the
// setup command told the idle delay; SM_delay itself on the hot wire). The setup command moves
// nothing.

#include <optional>

#include "link/job_estimate.h"
#include "link/machine_settings.h"
#include "link/time_model.h"
#include "picture/pixel_buffer.h"
#include "raster/raster_run.h"

namespace vexa::raster {

struct EstimateChoices {
  bool doublePass = false;     // "Двойной проход" as it stands
  bool returnToStart = false;  // "С возвратом в исх."
};

// The time model of the raster runs: every command's link round trip, and the run one command
// ahead of the controller (the setup's reply is never awaited).
link::TimeModel RasterTimeModel(const link::LinkPace& pace, int speed);

// The commands the run would send with `send` ticked: the setup, then every move of the walk
// over `picture` (the fitted picture, blue bytes) with `numbers` and `rules` as the mode sets
// them (the wood job's white end is SM_delay). Nullopt when the run would refuse: no whole
// motor step per pixel, or a step count beyond 32 bits.
std::optional<link::JobEstimate> EstimateRun(const picture::PixelBuffer& picture,
                                             const RunNumbers& numbers, const RunRules& rules,
                                             const link::MachineSettings& settings,
                                             const EstimateChoices& choices,
                                             const link::TimeModel& model);

// The firmware's time of one raster move X,Y,R;.
std::int64_t RasterMoveMicros(std::int64_t x, std::int64_t y, std::int64_t burn,
                              std::int64_t travelDelay);

}  // namespace vexa::raster
