#include "cutting/cutting_job.h"

#include "cutting/find_strokes.h"
#include "cutting/line_walk.h"
#include "cutting/order_strokes.h"

namespace vexa::cutting {

namespace {

// The redraw comes every 11 cut steps: the bitmap changes at every step, the screen need not.
constexpr int kStepsPerRedraw = 11;

}  // namespace

CuttingJob::CuttingJob(CuttingParts parts)
    : parts_(std::move(parts)), pacer_([this] { keepAlive(); }) {}

void CuttingJob::keepAlive() {
  if (parts_.keepAlive) parts_.keepAlive();
  if (!sending_ && parts_.closing && parts_.closing()) throw WorkAbandoned();
}

void CuttingJob::move(std::int32_t dx, std::int32_t dy, std::int32_t laser, std::int32_t delay,
                      bool wait) {
  parts_.moves.StepMove(dx, dy, laser, delay, wait);
  if (parts_.afterMove) parts_.afterMove();
}

void CuttingJob::CutByPicture() {
  toolX = 1;
  toolY = 1;
  parts_.moves.ClearStop();
  link::LaserJobScope laserJob(parts_.moves);
  // A laser value asked for by a stroke that was stopped would have a stop before the first
  // stroke switch the laser on for the travel.
  parts_.moves.record.lastLaser = 0;
  FindStrokes();
  OrderStrokes();
  CopyWorkingToViews(parts_.pictures, parts_.redraw);
  CutStrokes();
  if (parts_.returnToStart && parts_.returnToStart()) {
    move(1 - toolX, 1 - toolY, 0, 0, true);
    toolX = 1;
    toolY = 1;
  }
  if (!parts_.moves.planning()) parts_.prompts.message(link::kLinkCaption, kFinishedText);
  CopyWorkingToViews(parts_.pictures, parts_.redraw);
}

void CuttingJob::FindStrokes() {
  pacer_.keepAliveNow();
  cutting::FindStrokes(parts_.pictures.laser, strokes_, pacer_);
  if (parts_.redraw) parts_.redraw();
}

void CuttingJob::OrderStrokes() {
  strokes_.order = cutting::OrderStrokes(strokes_.table);
}

void CuttingJob::CutStrokes() {
  picture::PixelBuffer& display = parts_.pictures.laser;
  StrokeMap& map = strokes_.map;
  const link::MachineSettings& settings = parts_.settings;
  VisitedStates visited(map.width(), map.height());
  sending_ = true;
  toolX = 1;
  toolY = 1;
  int sinceRedraw = 0;
  for (const std::int32_t stroke : strokes_.order) {
    auto onStroke = [&](int x, int y) { return map.at(x, y) == stroke; };
    // The cut may begin at either end of the stroke, whichever the search meets first.
    const StrokeRecord& record = strokes_[stroke];
    const Pixel start = FindLineEnd(Pixel{record.startX, record.startY}, onStroke, visited, [] {});
    const bool runAhead = settings.SM_optim == 1;
    move(start.x - toolX, start.y - toolY, 0, settings.SM_delay, !runAhead);
    move(0, 0, 1, parts_.stepDelay, true);
    map.set(start.x, start.y, 0);
    MarkRedPlus(display, start.x, start.y);
    toolX = start.x;
    toolY = start.y;
    FollowLine(start, onStroke, [&](figures::Direction step, Pixel reached) {
      toolX = reached.x;
      toolY = reached.y;
      move(step.dx, step.dy, 0, 0, true);
      map.set(reached.x, reached.y, 0);
      MarkRedPlus(display, reached.x, reached.y);
      if (++sinceRedraw >= kStepsPerRedraw) {
        if (parts_.redraw) parts_.redraw();
        sinceRedraw = 0;
      }
      pacer_.tick();
    });
    move(0, 0, -1, settings.SM_delay, true);
    if (runAhead) parts_.moves.WaitOwed();
  }
  if (parts_.redraw) parts_.redraw();
}

}  // namespace vexa::cutting
