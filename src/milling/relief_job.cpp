#include "milling/relief_job.h"

#include "figures/offset_figures.h"
#include "milling/edge_bands.h"

namespace vexa::milling {

namespace {

// Sets reliefMode for the relief's time, however it ends.
class ReliefModeScope {
 public:
  explicit ReliefModeScope(MillingState& state) : state_(state) { state_.reliefMode = true; }
  ~ReliefModeScope() { state_.reliefMode = false; }
  ReliefModeScope(const ReliefModeScope&) = delete;
  ReliefModeScope& operator=(const ReliefModeScope&) = delete;

 private:
  MillingState& state_;
};

}  // namespace

void Mill3D(ReliefParts parts) {
  MillingParts& milling = parts.milling;
  MillingState& state = milling.state;
  ReliefModeScope relief(state);
  JobKindScope kind(state, kReliefJob);
  link::MachineLink& link = milling.moves.context().link();
  link.StopRequested = false;

  parts.working = EdgeBands(parts.source, milling.cutter.radius);
  milling.figures.resetTables();
  parts.parse();
  while (!milling.figures.tree.empty()) {
    MillingJob(milling).MillAll();
    const bool shrank = figures::OffsetFigures(parts.working, parts.cutterDiameter);
    milling.figures.resetTables();
    if (milling.redraw) milling.redraw();
    if (!shrank) {
      link.prompts().message(link::kWarningCaption, kReliefStuckText);
      break;
    }
    parts.parse();
  }
  ReturnToFirstPixel(milling);
}

}  // namespace vexa::milling
