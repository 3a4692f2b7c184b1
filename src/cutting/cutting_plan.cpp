#include "cutting/cutting_plan.h"

#include "cutting/cutting_job.h"
#include "link/job_stream.h"

namespace vexa::cutting {

link::JobEstimate PlanCutting(const CuttingNumbers& numbers, CuttingStart start,
                              bool returnToStart, const link::MachineSettings& settings,
                              link::MachineLink& link, const link::TimeModel& model,
                              const std::atomic<bool>& cancelled) {
  picture::PixelBuffer& laser = start.pictures.tool;
  const link::PlaneScale scale{numbers.widthMm, laser.width()};
  link::OutlineMoves moves(link::MotionContext(link, settings), [scale] { return scale; },
                           link::OutlineMoves::WhenIdle::Sleep);
  moves.record.moveTo(start.place);
  link::JobEstimate estimate(model);
  link::JobStream stream = link::JobStream::Planning(estimate, &cancelled);
  moves.stream = &stream;
  picture::PixelBuffer templatePicture;
  CuttingJob job({moves,
                  settings,
                  link.prompts(),  // never used while planning
                  {start.pictures.working, templatePicture, laser},
                  numbers.stepDelay,
                  [returnToStart] { return returnToStart; },
                  {},
                  {},
                  {},
                  {}});
  job.CutByPicture();
  return estimate;
}

}  // namespace vexa::cutting
