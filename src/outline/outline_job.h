#pragma once
// The outline engraving jobs: the laser follows the contours of one figure ("Выделенная") or of
// every dark figure level by level ("Все"), switched on before each contour and off after it;
// "Грав-ть всё" fills the dark figures by outlining them again and again, one spot inward each
// time.

#include <cstdint>
#include <functional>

#include "figures/contour_starts.h"
#include "figures/direction.h"
#include "figures/figure_data.h"
#include "figures/tool_mark.h"
#include "link/machine_settings.h"
#include "link/outline_moves.h"
#include "outline/outline_state.h"
#include "picture/pixel_buffer.h"

namespace vexa::outline {

// The laser values of the step move.
inline constexpr std::int32_t kLaserOn = 1;
inline constexpr std::int32_t kLaserOff = -1;

// The laser marks are written after every step, the picture redrawn after every 11th.
inline constexpr int kRedrawEvery = 11;

struct OutlineParts {
  link::OutlineMoves& moves;
  const link::MachineSettings& settings;
  figures::FigureData& figures;
  picture::PixelBuffer& tool;  // the laser picture: receives the marks
  OutlineState& state;
  std::int32_t laserDelay = 1000;  // "Задержка между шагами при грав-вке", sent with laser on
  double spotRadius = 0;                // pixels: the marks' radius
  std::function<bool()> returnToStart;  // "С возвратом в исх."
  std::function<void()> redraw;         // repaint the views soon
  std::function<void()> pumpEvents;     // let pending events through
  std::function<void()> afterMove;      // JobState::stepDone
};

// "С возвратом в исх." when ticked: back to the first pixel.
void ReturnToFirstPixel(const OutlineParts& parts);

class OutlineJob {
 public:
  explicit OutlineJob(OutlineParts parts);

  void OutlineSelected(std::int32_t figure);
  // In fill mode StopRequested is left alone, there is no return move, and the link abort goes
  // on to FillAll (it always goes on to the job's entry point).
  void OutlineAll();
  void OutlineFigure(std::int32_t figure);

 private:
  void move(std::int32_t dx, std::int32_t dy, std::int32_t laser, std::int32_t delay, bool wait);
  void traceContour(figures::Pixel start, figures::Direction heading);

  OutlineParts parts_;
  figures::ContourStarts starts_;
  figures::ToolMark mark_;
};

struct FillParts {
  OutlineParts outline;
  const picture::PixelBuffer& source;
  picture::PixelBuffer& working;
  double spotDiameter = 0;      // pixels
  std::function<void()> parse;  // ParseFigures on the working picture, with the tree shown
};

// "Грав-ть всё": edge lines, then "Разобрать", "Все" and "Отступить" with the spot diameter
// until the tree is empty, then the optional return move. A cycle whose offset changes nothing
// ends the job with a message instead of outlining the same figures for ever.
void FillAll(FillParts parts);

inline constexpr const char* kFillStuckText =
    "Оставшиеся тёмные области не уменьшаются при отступе: они лежат у края картинки (ближе "
    "диаметра пятна) или диаметр пятна равен нулю.\r\nГравировка с заполнением закончена.";

}  // namespace vexa::outline
