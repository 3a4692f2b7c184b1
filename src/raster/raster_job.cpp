#include "raster/raster_job.h"

namespace vexa::raster {

RunRules LaserRunRules() {
  return RunRules{};
}

void UseLaserRules(RunParts& parts) {
  parts.rules = LaserRunRules();
}

bool RasterJob(RunParts parts) {
  UseLaserRules(parts);
  return RasterRun(std::move(parts)).run();
}

}  // namespace vexa::raster
