#include "cutting/find_strokes.h"

#include <optional>

#include "cutting/line_walk.h"

namespace vexa::cutting {

namespace {

// The next pixel with red byte 0 in reading order, from `from` on. Tracing only ever lightens
// pixels, so no seed can appear before the last one found: the scan goes on from there instead
// of from the top.
std::optional<Pixel> nextSeed(const picture::PixelBuffer& trace, Pixel& from, EventPacer& pacer) {
  for (int y = from.y; y <= trace.height() - 1; ++y) {
    pacer.tick();
    const std::uint8_t* p = trace.pixel(y == from.y ? from.x : 1, y);
    for (int x = y == from.y ? from.x : 1; x <= trace.width(); ++x, p += 3) {
      if (p[2] == 0) {
        from = {x, y};
        return from;
      }
    }
  }
  from = {1, trace.height()};
  return std::nullopt;
}

}  // namespace

void FindStrokes(picture::PixelBuffer& laser, Strokes& strokes, EventPacer& pacer) {
  const int width = laser.width();
  const int height = laser.height();
  strokes.table.clear();
  strokes.table.reserve(2);
  strokes.order.clear();
  strokes.map = StrokeMap(width, height);
  if (laser.empty()) return;
  // The trace copy is consumed: every pixel a stroke takes turns red, which is light.
  picture::PixelBuffer trace = laser;
  VisitedStates visited(width, height);
  auto dark = [&](int x, int y) {
    return x >= 1 && y >= 1 && x <= width && y <= height && trace.pixel(x, y)[2] <= kStrokeDarkUpTo;
  };
  auto tick = [&] { pacer.tick(); };
  StrokeMap& map = strokes.map;
  Pixel cursor{1, 1};
  while (const std::optional<Pixel> seed = nextSeed(trace, cursor, pacer)) {
    const Pixel start = FindLineEnd(*seed, dark, visited, tick);
    const auto stroke = static_cast<std::int32_t>(strokes.table.size() + 1);
    map.set(start.x, start.y, stroke);
    MarkRed(trace, start.x, start.y);
    MarkRedPlus(laser, start.x, start.y);
    const Pixel end = FollowLine(start, dark, [&](figures::Direction, Pixel reached) {
      map.set(reached.x, reached.y, stroke);
      MarkRed(trace, reached.x, reached.y);
      MarkRedPlus(laser, reached.x, reached.y);
      tick();
    });
    strokes.table.push_back({start.x, start.y, end.x, end.y, 0});
  }
}

}  // namespace vexa::cutting
