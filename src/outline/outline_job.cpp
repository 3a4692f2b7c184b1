#include "outline/outline_job.h"

#include <optional>

#include "figures/concentric_passes.h"
#include "figures/contour_trace.h"
#include "figures/figure_contours.h"
#include "figures/level_order.h"
#include "figures/offset_figures.h"
#include "outline/edge_lines.h"

namespace vexa::outline {

namespace {

class FillModeScope {
 public:
  explicit FillModeScope(OutlineState& state) : state_(state) { state_.fillMode = true; }
  ~FillModeScope() { state_.fillMode = false; }
  FillModeScope(const FillModeScope&) = delete;
  FillModeScope& operator=(const FillModeScope&) = delete;

 private:
  OutlineState& state_;
};

}  // namespace

void ReturnToFirstPixel(const OutlineParts& parts) {
  if (!parts.returnToStart || !parts.returnToStart()) return;
  OutlineState& state = parts.state;
  parts.moves.StepMove(1 - state.toolX, 1 - state.toolY, 0, 0, true);
  if (parts.afterMove) parts.afterMove();
  state.toolX = 1;
  state.toolY = 1;
}

OutlineJob::OutlineJob(OutlineParts parts)
    : parts_(std::move(parts)),
      // A map made from another picture (one loaded after the parse) describes nothing here.
      starts_(parts_.figures.map.width() == parts_.tool.width() &&
                      parts_.figures.map.height() == parts_.tool.height()
                  ? figures::ContourStarts(parts_.figures.map)
                  : figures::ContourStarts(figures::FigureMap())),
      mark_(parts_.spotRadius, parts_.tool.width(), parts_.tool.height()) {}

void OutlineJob::move(std::int32_t dx, std::int32_t dy, std::int32_t laser, std::int32_t delay,
                      bool wait) {
  parts_.moves.StepMove(dx, dy, laser, delay, wait);
  if (parts_.afterMove) parts_.afterMove();
}

void OutlineJob::OutlineFigure(std::int32_t figure) {
  const bool runAhead = parts_.settings.SM_optim == 1;
  OutlineState& state = parts_.state;
  // The start search leaves out the last row: a figure lying only there has no contour.
  figures::ForEachContour(parts_.figures.links, starts_, figure, parts_.tool.height() - 1,
                          [&](figures::Pixel start, figures::Direction heading, bool) {
                            move(start.x - state.toolX, start.y - state.toolY, 0,
                                 parts_.settings.SM_delay, !runAhead);
                            move(0, 0, kLaserOn, parts_.laserDelay, true);
                            state.toolX = start.x;
                            state.toolY = start.y;
                            traceContour(start, heading);
                            move(0, 0, kLaserOff, parts_.settings.SM_delay, true);
                            if (runAhead) parts_.moves.WaitOwed();
                          });
  if (parts_.redraw) parts_.redraw();
}

void OutlineJob::traceContour(figures::Pixel start, figures::Direction heading) {
  OutlineState& state = parts_.state;
  int steps = 0;
  figures::TraceContour(parts_.figures.map, parts_.figures.map.at(start.x, start.y), start, heading,
                        figures::TraceTurn::WhenOnFigure,
                        [&](figures::Direction step, figures::Pixel reached) {
                          state.toolX = reached.x;
                          state.toolY = reached.y;
                          move(step.dx, step.dy, 0, 0, true);
                          mark_.paint(parts_.tool, reached.x, reached.y);
                          if (++steps % kRedrawEvery == 0 && parts_.redraw) parts_.redraw();
                          if (parts_.pumpEvents) parts_.pumpEvents();
                        });
}

void OutlineJob::OutlineSelected(std::int32_t figure) {
  link::LaserJobScope laserJob(parts_.moves);
  parts_.state.toolX = 1;
  parts_.state.toolY = 1;
  parts_.moves.ClearStop();
  OutlineFigure(figure);
  ReturnToFirstPixel(parts_);
}

void OutlineJob::OutlineAll() {
  // In fill mode the fill is the job.
  std::optional<link::LaserJobScope> laserJob;
  if (!parts_.state.fillMode) {
    laserJob.emplace(parts_.moves);
    parts_.moves.ClearStop();
  }
  figures::FigureTable& table = parts_.figures.table;
  for (std::int32_t figure : figures::DarkFiguresDeepestFirst(table, starts_)) {
    OutlineFigure(figure);
    table[figure].state = figures::kDone;
  }
  if (!parts_.state.fillMode) ReturnToFirstPixel(parts_);
}

void FillAll(FillParts parts) {
  OutlineParts& outline = parts.outline;
  link::LaserJobScope laserJob(outline.moves);
  FillModeScope fill(outline.state);
  const bool cleared = figures::RunConcentricPasses(
      outline.figures, {[&] { parts.working = EdgeLines(parts.source); }, parts.parse,
                        [&] { OutlineJob(outline).OutlineAll(); },
                        [&] {
                          const bool shrank =
                              figures::OffsetFigures(parts.working, parts.spotDiameter);
                          if (outline.redraw) outline.redraw();
                          return shrank;
                        }});
  if (!cleared) {
    if (!outline.moves.planning()) {
      outline.moves.context().link().prompts().message(link::kWarningCaption, kFillStuckText);
    }
  }
  ReturnToFirstPixel(outline);
}

}  // namespace vexa::outline
