#pragma once
// An outline job on a drawn picture: the figures parsed, one step per pixel along X and Y
// (0,005 mm per step, the width W x 0,005 mm), so the commands read as pixel steps.

#include <functional>

#include "figures/figure_data.h"
#include "figures/parse_figures.h"
#include "link/machine_link.h"
#include "link/machine_settings.h"
#include "link/outline_moves.h"
#include "outline/outline_job.h"
#include "picture/pixel_buffer.h"

namespace vexa::outline::test {

struct OutlineBench {
  explicit OutlineBench(link::MachineLink& link) : link(link) {}

  void load(const picture::PixelBuffer& drawing) {
    source = drawing;
    working = drawing;
    tool = drawing;
    figures::ParseFigures(drawing, figures);
  }
  std::int32_t figureAt(int x, int y) const { return figures.map.at(x, y); }

  OutlineParts parts() {
    return OutlineParts{moves,
                        settings,
                        figures,
                        tool,
                        state,
                        1000,
                        spotDiameter / 2,
                        [this] { return back; },
                        [this] { ++redraws; },
                        {},
                        afterMove};
  }
  FillParts fillParts() {
    return FillParts{parts(), source, working, spotDiameter, [this] {
                       ++parses;
                       figures::ParseFigures(working, figures);
                     }};
  }

  link::MachineLink& link;
  link::MachineSettings settings;
  bool send = true, back = false;
  double spotDiameter = 0;  // pixels
  figures::FigureData figures;
  picture::PixelBuffer source, working, tool;
  OutlineState state;
  int redraws = 0, parses = 0;
  std::function<void()> afterMove;
  link::OutlineMoves moves{link::MotionContext(link, settings, [this] { return send; }),
                           [this] {
                             return link::PlaneScale{tool.width() * 0.005, tool.width()};
                           },
                           link::OutlineMoves::WhenIdle::Continue};
};

}  // namespace vexa::outline::test
