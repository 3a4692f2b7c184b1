#include "outline/outline_plan.h"

#include "figures/parse_figures.h"
#include "link/job_stream.h"

namespace vexa::outline {

const char* OutlineJobName(OutlineJobKind kind) {
  switch (kind) {
    case OutlineJobKind::Selected:
      return "обведение выделенной фигуры";
    case OutlineJobKind::All:
      return "обведение всех фигур";
    case OutlineJobKind::Fill:
      break;
  }
  return "гравировка с заливкой (Грав-ть всё)";
}

std::string OutlineGcodeNumbers(const OutlineFieldTexts& texts, const OutlineNumbers& numbers) {
  return "пятно " + texts.diameter + " мм, задержка " + std::to_string(numbers.laserDelay) + " мкс";
}

void RunOutline(const OutlineRequest& request, OutlineParts parts,
                const picture::PixelBuffer& source, picture::PixelBuffer& working,
                const std::function<void()>& parse) {
  switch (request.kind) {
    case OutlineJobKind::Selected:
      OutlineJob(std::move(parts)).OutlineSelected(request.figure);
      return;
    case OutlineJobKind::All:
      OutlineJob(std::move(parts)).OutlineAll();
      return;
    case OutlineJobKind::Fill: {
      const double diameter = SpotDiameterOf(request.numbers, working.width());
      FillAll({std::move(parts), source, working, diameter, parse});
      return;
    }
  }
}

link::JobEstimate PlanOutline(const OutlineRequest& request, const OutlineStart& start,
                              bool returnToStart, const link::MachineSettings& settings,
                              link::MachineLink& link, const link::TimeModel& model,
                              const std::atomic<bool>& cancelled) {
  const OutlineNumbers& n = request.numbers;
  // Copies of what the job changes; the source picture is only read.
  picture::PixelBuffer tool = start.pictures.tool;
  figures::FigureData figures = start.pictures.figures;
  auto state = start.state;
  picture::PixelBuffer working =
      request.kind == OutlineJobKind::Fill ? start.pictures.working : picture::PixelBuffer();
  const link::PlaneScale scale{n.widthMm, tool.width()};
  link::OutlineMoves moves(
      link::MotionContext(link, settings), [scale] { return scale; },
      link::OutlineMoves::WhenIdle::Continue);
  moves.record.moveTo(start.place);
  link::JobEstimate estimate(model);
  link::JobStream stream = link::JobStream::Planning(estimate, &cancelled);
  moves.stream = &stream;
  OutlineParts parts{moves,
                     settings,
                     figures,
                     tool,
                     state,
                     n.laserDelay,
                     SpotRadiusOf(n, tool.width()),
                     [returnToStart] { return returnToStart; },
                     {},
                     {},
                     {}};
  RunOutline(request, std::move(parts), start.pictures.source, working,
             [&] { figures::ParseFigures(working, figures); });
  return estimate;
}

}  // namespace vexa::outline
