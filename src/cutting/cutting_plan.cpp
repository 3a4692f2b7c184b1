#include "cutting/cutting_plan.h"

#include "cutting/cutting_job.h"
#include "link/job_stream.h"

namespace vexa::cutting {

link::JobEstimate PlanCutting(const CuttingNumbers& numbers, const CuttingStart& start,
                              bool returnToStart, const link::MachineSettings& settings,
                              link::MachineLink& link, const link::TimeModel& model,
                              const std::atomic<bool>& cancelled) {
  // Copies of what the job changes.
  picture::PixelBuffer laser = start.pictures.tool;
  picture::PixelBuffer working = start.pictures.working;
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
                  {working, templatePicture, laser},
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
