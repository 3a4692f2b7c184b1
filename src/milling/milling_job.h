#pragma once
// The milling jobs: one figure's contours ("Выделенная") or every dark figure level by level
// ("Все", also the inner loop of "Резать 3D"). Every step goes through the window's step move,
// which scales pixels and gray levels to motor steps and turns a pending Stop into the pause
// dialog; the cutter's path is painted into the tool picture as it goes.

#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include "figures/contour_starts.h"
#include "figures/direction.h"
#include "figures/figure_data.h"
#include "figures/tool_mark.h"
#include "link/machine_settings.h"
#include "link/milling_moves.h"
#include "milling/cutter_size.h"
#include "milling/milling_state.h"
#include "picture/pixel_buffer.h"

namespace vexa::milling {

struct MillingParts {
  link::MillingMoves& moves;
  const link::MachineSettings& settings;
  figures::FigureData& figures;
  // The tool picture: its gray levels give the depth, and it receives the tool marks.
  picture::PixelBuffer& tool;
  MillingState& state;
  std::int32_t plungeDelay = 4000;  // "Задержка между шагами при фрез-вке", sent with the plunge
  CutterSize cutter;
  std::function<bool()> returnToStart;  // "С возвратом в исх."
  // RedrawPicture: repaint the views and let pending events through.
  std::function<void()> redraw;
  // Called after every step move (JobState::stepDone).
  std::function<void()> afterMove;
};

// "С возвратом в исх." when ticked: back to the first pixel, and the tool is taken to stand
// there.
void ReturnToFirstPixel(const MillingParts& parts);

class MillingJob {
 public:
  explicit MillingJob(MillingParts parts);

  // "Выделенная" after the selection check: mills `figure` from the first pixel, then the
  // optional return move.
  void MillSelected(std::int32_t figure);
  // "Все" after the tree check: the dark figures deepest level first, each marked done. In
  // relief mode StopRequested is left alone and the return move is the relief's own.
  void MillAll();
  // Every contour of `figure`: its holes in the order of their link entries, then its outside.
  void MillFigure(std::int32_t figure);

 private:
  void move(std::int32_t dx, std::int32_t dy, std::int32_t dz, std::int32_t delay, bool wait);
  void millContour(figures::Pixel start, figures::Direction heading);
  std::int32_t depthAt(int x, int y) const;
  void keepDepthCopy();

  MillingParts parts_;
  figures::ContourStarts starts_;
  figures::ToolMark mark_;
  // The tool picture as it was when the current figure began: the depth source, unchanged by
  // the figure's own marks. Brought up to date between figures from the pixels marked.
  picture::PixelBuffer depth_;
  std::vector<std::size_t> marked_;
};

}  // namespace vexa::milling
