#pragma once
// Plain implementations of the cutting window's pixel work, written straight from the rules
// with no attention to speed: the fast ones in src/cutting are compared with them on generated
// pictures. Each reads and writes whole buffers exactly as the rules say (an input copy where
// the rule reads the picture as it was, one buffer changed in place elsewhere).

#include <cmath>
#include <cstdint>
#include <limits>
#include <set>
#include <tuple>
#include <utility>
#include <vector>

#include "cutting/pattern.h"
#include "cutting/strokes.h"
#include "cutting/thinning.h"
#include "figures/direction.h"
#include "picture/pixel_buffer.h"

namespace vexa::cutting::plain {

using picture::PixelBuffer;

inline int Blue(const PixelBuffer& p, int x, int y) {
  return p.pixel(x, y)[0];
}
inline bool Dark(const PixelBuffer& p, int x, int y) {
  return Blue(p, x, y) < 100;
}

inline void PrepareGray(PixelBuffer& p) {
  for (int y = 2; y <= p.height() - 1; ++y) {
    for (int x = 2; x <= p.width() - 1; ++x) {
      const std::uint8_t* px = p.pixel(x, y);
      const double gray = std::nearbyint(0.3 * px[2] + 0.59 * px[1] + 0.11 * px[0]);
      p.setGray(x, y, gray >= 100 ? 255 : static_cast<std::uint8_t>(gray));
    }
  }
}

inline void RaiseContrast(PixelBuffer& p) {
  if (p.width() < 5 || p.height() < 5) return;
  const PixelBuffer in = p;
  const double k = 2;
  for (int y = 3; y <= p.height() - 2; ++y) {
    for (int x = 3; x <= p.width() - 2; ++x) {
      double neighbours = 0;
      for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) {
          if (i != 0 || j != 0) neighbours += k * Blue(in, x + i, y + j);
        }
      }
      double s = (k + 2) * Blue(in, x, y) - neighbours / 8;
      s = s < 0 ? 0 : (s > 255 ? 255 : s);
      p.setGray(x, y, static_cast<std::uint8_t>(std::nearbyint(s)));
    }
  }
}

inline int Code(const PixelBuffer& p, int x, int y) {
  const int weights[3][3] = {{1, 2, 4}, {8, 16, 32}, {64, 128, 256}};
  int code = 0;
  for (int j = -1; j <= 1; ++j) {
    for (int i = -1; i <= 1; ++i) {
      if (Dark(p, x + i, y + j)) code += weights[j + 1][i + 1];
    }
  }
  return code;
}

inline bool TrimPixels(PixelBuffer& p) {
  const std::set<int> codes(kTrimCodes.begin(), kTrimCodes.end());
  bool changed = false;
  for (int y = 2; y <= p.height() - 1; ++y) {
    for (int x = 2; x <= p.width() - 1; ++x) {
      if (Dark(p, x, y) && codes.count(Code(p, x, y)) != 0) {
        p.setGray(x, y, 255);
        changed = true;
      }
    }
  }
  return changed;
}

inline void ClearSpecks(PixelBuffer& p) {
  const PixelBuffer in = p;
  for (int y = 2; y <= p.height() - 1; ++y) {
    for (int x = 2; x <= p.width() - 1; ++x) {
      if (!Dark(in, x, y)) continue;
      int count = 0;
      for (int j = -1; j <= 1; ++j) {
        for (int i = -1; i <= 1; ++i) count += Dark(in, x + i, y + j) ? 1 : 0;
      }
      if (count < 3) p.setGray(x, y, 255);
    }
  }
}

inline void MakeBlackWhite(PixelBuffer& p) {
  for (int y = 2; y <= p.height() - 1; ++y) {
    for (int x = 2; x <= p.width() - 1; ++x) p.setGray(x, y, Blue(p, x, y) >= 100 ? 255 : 0);
  }
}

// The orientation table read as "Q at (row, column) takes P(r, c)".
inline std::pair<int, int> Oriented(int k, int n, int r, int c) {
  switch (k) {
    case 1:
      return {r, c};
    case 2:
      return {r, n - c + 1};
    case 3:
      return {n - r + 1, c};
    case 4:
      return {n - r + 1, n - c + 1};
    case 5:
      return {c, r};
    case 6:
      return {c, n - r + 1};
    case 7:
      return {n - c + 1, r};
    default:
      return {n - c + 1, n - r + 1};
  }
}

inline Pattern Orient(const Pattern& p, int k) {
  Pattern q(p.size());
  for (int r = 1; r <= p.size(); ++r) {
    for (int c = 1; c <= p.size(); ++c) {
      const auto [qr, qc] = Oriented(k, p.size(), r, c);
      q.set(qr, qc, p.at(r, c));
    }
  }
  return q;
}

// Returns the progress values set after the orientations that were scanned.
inline std::vector<int> ApplyPattern(PixelBuffer& p, const Pattern& before, const Pattern& after) {
  std::vector<int> progress;
  const int n = before.size();
  if (p.width() <= n || p.height() <= n) return progress;
  std::vector<Pattern> earlier;
  for (int k = 1; k <= 8; ++k) {
    const Pattern b = Orient(before, k);
    bool repeated = false;
    for (const Pattern& e : earlier) repeated = repeated || e == b;
    earlier.push_back(b);
    if (repeated) continue;
    const Pattern a = Orient(after, k);
    for (int y = 2; y <= p.height() - n + 1; ++y) {
      for (int x = 2; x <= p.width() - n + 1; ++x) {
        bool contradicted = false;
        for (int r = 1; r <= n && !contradicted; ++r) {
          for (int c = 1; c <= n && !contradicted; ++c) {
            const int level = Blue(p, x + c - 1, y + r - 1);
            contradicted = (!b.at(r, c) && level == 0) || (b.at(r, c) && level == 255);
          }
        }
        if (contradicted) continue;
        for (int r = 1; r <= n; ++r) {
          for (int c = 1; c <= n; ++c) p.setGray(x + c - 1, y + r - 1, a.at(r, c) ? 0 : 255);
        }
      }
    }
    progress.push_back(k * 100 / 8);
  }
  return progress;
}

// The whole chain of "Обработать"; returns the number of thinning passes.
inline int Chain(PixelBuffer& p) {
  PrepareGray(p);
  for (int i = 0; i < 5; ++i) RaiseContrast(p);
  int trimPasses = 1;
  while (TrimPixels(p)) ++trimPasses;
  ClearSpecks(p);
  MakeBlackWhite(p);
  for (const PatternPair& pair : SmoothingPairs()) ApplyPattern(p, pair.before, pair.after);
  return trimPasses;
}

// The stroke search with a seed scan from the top every time and the end search bounded by a
// set of the (pixel, heading) states it passed; pixels outside the picture are light.
struct Found {
  std::vector<StrokeRecord> table;
  std::vector<std::vector<std::int32_t>> map;  // [y - 1][x - 1]
  PixelBuffer display;
};

inline Found FindStrokes(const PixelBuffer& laser) {
  Found found{{}, {}, laser};
  const int w = laser.width(), h = laser.height();
  found.map.assign(std::size_t(h), std::vector<std::int32_t>(std::size_t(w), 0));
  PixelBuffer trace = laser;
  auto dark = [&](int x, int y) {
    return x >= 1 && y >= 1 && x <= w && y <= h && trace.pixel(x, y)[2] <= 100;
  };
  // A quarter turn left, then clockwise to the first dark neighbour; the turns made (8: none).
  auto search = [&](int x, int y, figures::Direction& d) {
    figures::TurnCounterClockwise(d);
    int turns = 0;
    for (; !dark(x + d.dx, y + d.dy) && turns < 8; ++turns) figures::TurnClockwise(d);
    return turns;
  };
  auto take = [&](int x, int y, std::int32_t s) {
    found.map[std::size_t(y - 1)][std::size_t(x - 1)] = s;
    MarkRed(trace, x, y);
    MarkRedPlus(found.display, x, y);
  };
  for (;;) {
    int sx = 0, sy = 0;
    for (int y = 1; y <= h - 1 && sx == 0; ++y) {
      for (int x = 1; x <= w && sx == 0; ++x) {
        if (trace.pixel(x, y)[2] == 0) sx = x, sy = y;
      }
    }
    if (sx == 0) return found;
    std::set<std::tuple<int, int, int, int>> states;
    figures::Direction d{1, 0};
    for (int cx = sx, cy = sy; states.insert({cx, cy, d.dx, d.dy}).second;
         figures::TurnCounterClockwise(d)) {
      if (search(cx, cy, d) >= 6) {
        sx = cx, sy = cy;
        break;
      }
      if (cx + d.dx == sx && cy + d.dy == sy) break;
      cx += d.dx, cy += d.dy;
    }
    const auto s = static_cast<std::int32_t>(found.table.size() + 1);
    take(sx, sy, s);
    int px = sx, py = sy;
    d = {1, 0};
    for (; search(px, py, d) < 8; figures::TurnCounterClockwise(d)) {
      px += d.dx, py += d.dy;
      take(px, py, s);
    }
    found.table.push_back({sx, sy, px, py, 0});
  }
}

// The nearest-start order with the best distance kept rounded, scanning every stroke each time.
inline std::vector<std::int32_t> OrderStrokes(std::vector<StrokeRecord> table) {
  std::vector<std::int32_t> order;
  double px = 0, py = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    std::int32_t best = 0;
    double bestDistance = std::numeric_limits<double>::infinity();
    for (std::size_t j = 0; j < table.size(); ++j) {
      if (table[j].done != 0) continue;
      const double d = std::sqrt((table[j].startX - px) * (table[j].startX - px) +
                                 (table[j].startY - py) * (table[j].startY - py));
      if (best == 0 || d < bestDistance) {
        best = static_cast<std::int32_t>(j + 1);
        bestDistance = std::nearbyint(d);
      }
    }
    order.push_back(best);
    table[static_cast<std::size_t>(best - 1)].done = 1;
    px = table[static_cast<std::size_t>(best - 1)].endX;
    py = table[static_cast<std::size_t>(best - 1)].endY;
  }
  return order;
}

}  // namespace vexa::cutting::plain
