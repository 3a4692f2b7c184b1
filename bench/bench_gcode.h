#pragma once
// A CAM program of a million lines, made in memory as a 2.5D CAM writes one: short G1 moves and
// corner arcs (G2/G3 with I J) at three decimals, now and then a plunge, a retract and a travel.
// What the G-code benches read, translate and draw.

#include <cmath>
#include <cstdio>
#include <numbers>
#include <random>
#include <string>

namespace vexa::bench {

inline constexpr int kLines = 1'000'000;

inline double Written(double mm) {
  return std::round(mm * 1000) / 1000;
}

inline const std::string& CamProgram() {
  static const std::string text = [] {
    std::mt19937_64 random(42);
    std::uniform_real_distribution<double> unit(0, 1);
    std::string out = "%\n(bench pocket)\nG90 G17\nG21\nG0 X150 Y150 Z5\nG1 Z-1 F300\nF1200\n";
    out.reserve(static_cast<std::size_t>(kLines) * 28);
    double x = 150, y = 150, heading = 0;
    char line[128];
    int lines = 6;
    while (lines < kLines) {
      const double pick = unit(random);
      // Keep the path over a 300 mm square: turn back towards its middle near the edges.
      if (std::hypot(x - 150, y - 150) > 120) heading = std::atan2(150 - y, 150 - x);
      if (pick < 0.70) {
        const double length = 0.2 + 1.8 * unit(random);
        heading += (unit(random) - 0.5) * 0.6;
        const double nx = Written(x + length * std::cos(heading));
        const double ny = Written(y + length * std::sin(heading));
        std::snprintf(line, sizeof line, "G1 X%.3f Y%.3f\n", nx, ny);
        x = nx;
        y = ny;
      } else if (pick < 0.97) {
        const double r = 1 + 4 * unit(random);
        const bool clockwise = unit(random) < 0.5;
        const double turn = (0.2 + 1.4 * unit(random)) * (clockwise ? -1 : 1);
        // The centre square to the heading, on the side the arc turns to.
        const double side = heading + (clockwise ? -1 : 1) * std::numbers::pi / 2;
        const double cx = Written(x + r * std::cos(side)), cy = Written(y + r * std::sin(side));
        const double start = std::atan2(y - cy, x - cx);
        const double radius = std::hypot(x - cx, y - cy);
        const double nx = Written(cx + radius * std::cos(start + turn));
        const double ny = Written(cy + radius * std::sin(start + turn));
        std::snprintf(line, sizeof line, "G%d X%.3f Y%.3f I%.3f J%.3f\n", clockwise ? 2 : 3, nx, ny,
                      cx - x, cy - y);
        heading += turn;
        x = nx;
        y = ny;
      } else if (pick < 0.99) {
        std::snprintf(line, sizeof line, "G0 Z5\nG0 X%.3f Y%.3f\nG1 Z-1 F300\nG1 F1200\n", x, y);
        lines += 3;
      } else {
        std::snprintf(line, sizeof line, "G1 X%.3f Y%.3f F%d\n", x, y, 600 + 100 * (lines % 7));
      }
      out += line;
      ++lines;
    }
    out += "G0 Z5\nM30\n%\n";
    return out;
  }();
  return text;
}

}  // namespace vexa::bench
