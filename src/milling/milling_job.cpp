#include "milling/milling_job.h"

#include "figures/contour_trace.h"
#include "figures/figure_contours.h"
#include "figures/level_order.h"

namespace vexa::milling {

MillingJob::MillingJob(MillingParts parts)
    : parts_(std::move(parts)),
      // A map made from another picture (one loaded after the parse) describes nothing here.
      starts_(parts_.figures.map.width() == parts_.tool.width() &&
                      parts_.figures.map.height() == parts_.tool.height()
                  ? figures::ContourStarts(parts_.figures.map)
                  : figures::ContourStarts(figures::FigureMap())),
      mark_(parts_.cutter.radius, parts_.tool.width(), parts_.tool.height()),
      depth_(parts_.tool) {}

std::int32_t MillingJob::depthAt(int x, int y) const {
  return 255 - depth_.gray(x, y);
}

void MillingJob::keepDepthCopy() {
  for (std::size_t offset : marked_) {
    std::uint8_t* pixel = depth_.data() + offset;
    pixel[0] = 0;
    pixel[1] = 0;
    pixel[2] = 255;
  }
  marked_.clear();
}

void MillingJob::move(std::int32_t dx, std::int32_t dy, std::int32_t dz, std::int32_t delay,
                      bool wait) {
  parts_.moves.StepMove(dx, dy, dz, delay, wait);
  if (parts_.afterMove) parts_.afterMove();
}

void MillingJob::MillFigure(std::int32_t figure) {
  const bool runAhead = parts_.settings.SM_optim == 1;
  MillingState& state = parts_.state;
  figures::ForEachContour(parts_.figures.links, starts_, figure, parts_.tool.height(),
                          [&](figures::Pixel start, figures::Direction heading, bool) {
                            move(start.x - state.toolX, start.y - state.toolY, 0,
                                 parts_.settings.SM_delay, !runAhead);
                            const std::int32_t startDepth = depthAt(start.x, start.y);
                            move(0, 0, -startDepth, parts_.plungeDelay, true);
                            state.toolX = start.x;
                            state.toolY = start.y;
                            state.toolDepth = startDepth;
                            millContour(start, heading);
                            move(0, 0, state.toolDepth, parts_.settings.SM_delay, true);
                            if (runAhead) parts_.moves.WaitOwed();
                          });
  keepDepthCopy();
  if (parts_.redraw) parts_.redraw();
}

void MillingJob::millContour(figures::Pixel start, figures::Direction heading) {
  MillingState& state = parts_.state;
  figures::TraceContour(parts_.figures.map, parts_.figures.map.at(start.x, start.y), start, heading,
                        figures::TraceTurn::Always,
                        [&](figures::Direction step, figures::Pixel reached) {
                          state.toolX = reached.x;
                          state.toolY = reached.y;
                          const std::int32_t depth = depthAt(reached.x, reached.y);
                          move(step.dx, step.dy, -(depth - state.toolDepth), 0, true);
                          state.toolDepth = depth;
                          mark_.paint(parts_.tool, reached.x, reached.y, &marked_);
                          if (parts_.redraw) parts_.redraw();
                        });
}

void ReturnToFirstPixel(const MillingParts& parts) {
  if (!parts.returnToStart || !parts.returnToStart()) return;
  MillingState& state = parts.state;
  parts.moves.StepMove(1 - state.toolX, 1 - state.toolY, 0, 0, true);
  if (parts.afterMove) parts.afterMove();
  state.toolX = 1;
  state.toolY = 1;
}

void MillingJob::MillSelected(std::int32_t figure) {
  JobKindScope kind(parts_.state, kSelectedJob);
  parts_.state.toolX = 1;
  parts_.state.toolY = 1;
  parts_.moves.BeginJob();
  MillFigure(figure);
  ReturnToFirstPixel(parts_);
}

void MillingJob::MillAll() {
  JobKindScope kind(parts_.state, kAllJob);
  if (!parts_.state.reliefMode) {
    parts_.moves.BeginJob();
  }
  figures::FigureTable& table = parts_.figures.table;
  for (std::int32_t figure : figures::DarkFiguresDeepestFirst(table, starts_)) {
    MillFigure(figure);
    table[figure].state = figures::kDone;
  }
  if (!parts_.state.reliefMode) ReturnToFirstPixel(parts_);
}

}  // namespace vexa::milling
