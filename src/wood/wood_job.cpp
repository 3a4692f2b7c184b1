#include "wood/wood_job.h"

namespace vexa::wood {

raster::RunRules WoodRunRules() {
  raster::RunRules rules;
  rules.setup = raster::RunRules::Setup::Wood;
  rules.idleMovesCarryDelay = true;
  rules.rowMoveAfterLastRow = true;
  rules.redrawEveryRow = true;
  rules.showDuration = false;
  rules.restoreCleanCopy = false;
  return rules;
}

void UseWoodRules(raster::RunParts& parts) {
  parts.rules = WoodRunRules();
  parts.numbers.whiteDwell = parts.settings.SM_delay;
  parts.boxes.doublePass = {};
  parts.exportPath.reset();
}

void WoodJob(raster::RunParts parts, picture::RasterPicture& picture) {
  UseWoodRules(parts);
  if (raster::RasterRun(std::move(parts)).run()) picture.RefreshPicture();
}

}  // namespace vexa::wood
