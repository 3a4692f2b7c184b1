#include "raster/raster_job.h"

namespace vexa::raster {

RunRules LaserRunRules() {
  return RunRules{};
}

bool RasterJob(RunParts parts) {
  parts.rules = LaserRunRules();
  return RasterRun(std::move(parts)).run();
}

}  // namespace vexa::raster
