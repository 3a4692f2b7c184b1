#pragma once
// RasterJob: "Гравировать" of the laser window, in laser and impact-head mode alike.

#include "raster/raster_run.h"

namespace vexa::raster {

// Setup ,,,K,D;, travel and row moves with the laser off (0), no row move after a backward row
// that ends the picture, a redraw per row pair, the duration in the closing message and the
// unmarked picture put back.
RunRules LaserRunRules();

// Gives `parts` the laser's rules (whatever parts.rules said): what the run and its estimate use.
void UseLaserRules(RunParts& parts);

// Runs `parts` with the laser's rules.
bool RasterJob(RunParts parts);

}  // namespace vexa::raster
