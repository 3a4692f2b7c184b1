#include "milling/relief_job.h"

#include "figures/concentric_passes.h"
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
  milling.moves.BeginJob();

  const bool cleared = figures::RunConcentricPasses(
      milling.figures, {[&] { parts.working = EdgeBands(parts.source, milling.cutter.radius); },
                        parts.parse, [&] { MillingJob(milling).MillAll(); },
                        [&] {
                          const bool shrank =
                              figures::OffsetFigures(parts.working, parts.cutterDiameter);
                          if (milling.redraw) milling.redraw();
                          return shrank;
                        }});
  if (!cleared && !milling.moves.planning()) {
    milling.moves.context().link().prompts().message(link::kWarningCaption, kReliefStuckText);
  }
  ReturnToFirstPixel(milling);
}

}  // namespace vexa::milling
