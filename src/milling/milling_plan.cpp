#include "milling/milling_plan.h"

#include "figures/parse_figures.h"
#include "link/job_stream.h"
#include "milling/cutter_size.h"
#include "milling/relief_job.h"

namespace vexa::milling {

const char* MillingJobName(MillingJobKind kind) {
  switch (kind) {
    case MillingJobKind::Selected:
      return "фрезеровка выделенной фигуры";
    case MillingJobKind::All:
      return "фрезеровка всех фигур";
    case MillingJobKind::Relief:
      break;
  }
  return "фрезеровка рельефа (Резать 3D)";
}

std::string MillingGcodeNumbers(const MillingFieldTexts& texts, const MillingNumbers& numbers) {
  return "глубина " + texts.depth + " мм, фреза " + texts.diameter + " мм, задержка " +
         std::to_string(numbers.plungeDelay) + " мкс";
}

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
      const double diameter =
          CutterDiameterOf(request.numbers.diameterMm, request.numbers.widthMm, working.width());
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
