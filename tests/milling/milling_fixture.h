#pragma once
// A milling job on a drawn picture: the figures parsed, one step per pixel along X and Y and one
// per gray level along Z (0,005 mm per step, the width W x 0,005 mm and the depth 255 x 0,005
// mm), so the commands read as pixel steps and gray differences.

#include <functional>
#include <string>
#include <vector>

#include "figures/figure_data.h"
#include "figures/parse_figures.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/milling_moves.h"
#include "milling/milling_job.h"
#include "picture/pixel_buffer.h"

namespace vexa::milling::test {

struct MillingBench {
  explicit MillingBench(link::MachineLink& link) : link(link) {}

  // Parses `drawing` and makes it the tool picture too.
  void load(const picture::PixelBuffer& drawing) {
    tool = drawing;
    figures::ParseFigures(drawing, figures);
  }
  std::int32_t figureAt(int x, int y) const { return figures.map.at(x, y); }

  MillingParts parts() {
    return MillingParts{moves,
                        settings,
                        figures,
                        tool,
                        state,
                        4000,
                        CutterSizeOf(diameterMm, tool.width() * 0.005, tool.width()),
                        [this] { return back; },
                        [this] { ++redraws; },
                        afterMove};
  }

  link::MachineLink& link;
  link::MachineSettings settings;
  bool send = true, back = false;
  double diameterMm = 0;
  figures::FigureData figures;
  picture::PixelBuffer tool;
  MillingState state;
  int redraws = 0;
  std::function<void()> afterMove;
  link::MillingMoves moves{
      link::MotionContext(link, settings, [this] { return send; }), [this] {
        return link::MillingScale{tool.width() * 0.005, 255 * 0.005, tool.width()};
      }};
};

}  // namespace vexa::milling::test
