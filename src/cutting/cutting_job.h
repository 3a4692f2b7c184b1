#pragma once
// "Резать" of the cutting window: the laser picture's lines split into strokes, put into a short
// travelling order and cut one by one, the laser switched on once and off once per stroke, in
// single-pixel steps through the window's step move (X,Y,L,W;), which also asks the stop
// question after "Стоп".

#include <cstdint>
#include <functional>

#include "cutting/operation_display.h"
#include "cutting/processing_chain.h"
#include "cutting/strokes.h"
#include "link/machine_settings.h"
#include "link/outline_moves.h"
#include "link/prompts.h"

namespace vexa::cutting {

inline constexpr const char* kFinishedText = "Готово";

struct CuttingParts {
  link::OutlineMoves& moves;
  const link::MachineSettings& settings;
  link::Prompts& prompts;
  CuttingPictures pictures;
  std::int32_t stepDelay = 1000;        // Text4: the delay of each stroke's laser-on command
  std::function<bool()> returnToStart;  // "С возвратом в исх."
  std::function<void()> redraw;         // RedrawPicture
  std::function<void()> keepAlive;      // lets events through
  // True once the window is being closed: until the first command the job then ends at once
  // (WorkAbandoned); afterwards the step move's stop question decides.
  std::function<bool()> closing;
  std::function<void()> afterMove;  // after every step move (JobState::stepDone)
};

class CuttingJob {
 public:
  explicit CuttingJob(CuttingParts parts);

  // The whole job; ends with "Готово" and the clean views. The link abort (stop confirmed, a
  // failed read) passes on to the window's job guard and leaves the marks in the laser view.
  void CutByPicture();

  // The three phases, on the laser picture.
  void FindStrokes();
  void OrderStrokes();
  void CutStrokes();

  const Strokes& strokes() const { return strokes_; }
  int toolX = 1, toolY = 1;  // the pixel over which the head stands

 private:
  void move(std::int32_t dx, std::int32_t dy, std::int32_t laser, std::int32_t delay, bool wait);

  void keepAlive();

  CuttingParts parts_;
  bool sending_ = false;  // CutStrokes has begun
  EventPacer pacer_;
  Strokes strokes_;
};

}  // namespace vexa::cutting
