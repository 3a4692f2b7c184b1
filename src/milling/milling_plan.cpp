#include "milling/milling_plan.h"

#include "figures/parse_figures.h"
#include "link/job_stream.h"
#include "milling/cutter_size.h"
#include "milling/relief_job.h"

namespace vexa::milling {

void RunMilling(const MillingRequest& request, MillingParts parts,
                const picture::PixelBuffer& source, picture::PixelBuffer& working,
                const std::function<void()>& parse) {
  switch (request.kind) {
    case MillingJobKind::Selected:
      MillingJob(std::move(parts)).MillSelected(request.figure);
      return;
    case MillingJobKind::All:
      MillingJob(std::move(parts)).MillAll();
      return;
    case MillingJobKind::Relief: {
      const double diameter = CutterDiameterOf(request.numbers.diameterMm,
                                               request.numbers.widthMm, working.width());
      Mill3D({std::move(parts), source, working, diameter, parse});
      return;
    }
  }
}

link::JobEstimate PlanMilling(const MillingRequest& request, const MillingStart& start,
                              bool returnToStart, const link::MachineSettings& settings,
                              link::MachineLink& link, const link::TimeModel& model,
                              const std::atomic<bool>& cancelled) {
  const MillingNumbers& n = request.numbers;
  // Copies of what the job changes; the source picture is only read.
  picture::PixelBuffer tool = start.pictures.tool;
  figures::FigureData figures = start.pictures.figures;
  auto state = start.state;
  picture::PixelBuffer working =
      request.kind == MillingJobKind::Relief ? start.pictures.working : picture::PixelBuffer();
  const link::MillingScale scale{n.widthMm, n.depthMm, tool.width()};
  link::MillingMoves moves(link::MotionContext(link, settings), [scale] { return scale; });
  moves.record.moveTo(start.place);
  link::JobEstimate estimate(model);
  link::JobStream stream = link::JobStream::Planning(estimate, &cancelled);
  moves.stream = &stream;
  MillingParts parts{moves,
                     settings,
                     figures,
                     tool,
                     state,
                     n.plungeDelay,
                     CutterSizeOf(n.diameterMm, n.widthMm, tool.width()),
                     [returnToStart] { return returnToStart; },
                     {},
                     {}};
  RunMilling(request, std::move(parts), start.pictures.source, working,
             [&] { figures::ParseFigures(working, figures); });
  return estimate;
}

}  // namespace vexa::milling
