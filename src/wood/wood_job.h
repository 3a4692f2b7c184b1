#pragma once
// WoodJob: "Гравировать" of the wood-burning window. The laser's run with the hot wire's rules:
// gray becomes the delay per step between SM_delay and the window's longest delay.

#include "picture/raster_picture.h"
#include "raster/raster_run.h"

namespace vexa::wood {

// Setup ,,D;, every travel, row and return move with SM_delay, a row move after every row (so H
// rows give H row moves), no double pass, no export, no duration, no clean copy.
raster::RunRules WoodRunRules();

// Gives `parts` the wood rules: the dwell reaches SM_delay at white, no double pass, no export.
// What the run and its estimate use.
void UseWoodRules(raster::RunParts& parts);

// Runs `parts` with the wood rules: the dwell reaches SM_delay at white, and parts' double pass
// and export are ignored. At the end the picture is loaded and fitted again, which removes the
// marks; a stopped run keeps them until the next refresh.
void WoodJob(raster::RunParts parts, picture::RasterPicture& picture);

}  // namespace vexa::wood
