// ornament.bmp: a black-and-white ornament whose figures nest several levels deep: a frame
// (a shape) with holes in it, shapes in its hole, holes in those and islands in the holes.

#include <cmath>
#include <numbers>

#include "picture/pixel_buffer.h"

namespace make_pictures {

namespace {

bool Ring(double x, double y, double cx, double cy, double inner, double outer) {
  const double r = std::hypot(x - cx, y - cy);
  return r >= inner && r < outer;
}

// Black or white for a point, painting from the outside in: each rule overrides the ones before.
bool Black(double x, double y, int size) {
  const double c = size / 2.0;
  const double dx = x - c, dy = y - c;
  const double s = size / 300.0;  // drawn for 300 x 300
  bool black = false;

  // The frame, with diamond holes along it.
  const double edge = std::max(std::fabs(dx), std::fabs(dy));
  if (edge >= 128 * s && edge < 144 * s) {
    black = true;
    const double along = std::fabs(dx) > std::fabs(dy) ? dy : dx;
    const double step = 32 * s;
    const double k = std::round(along / step) * step;
    if (std::fabs(along - k) + std::fabs(edge - 136 * s) < 5 * s) black = false;
  }
  // Corner rosettes: a ring, a dot in its hole, a hole in the dot.
  for (int i = -1; i <= 1; i += 2) {
    for (int j = -1; j <= 1; j += 2) {
      const double cx = c + i * 92 * s, cy = c + j * 92 * s;
      if (Ring(x, y, cx, cy, 17 * s, 27 * s)) black = true;
      if (Ring(x, y, cx, cy, 3.5 * s, 9 * s)) black = true;
    }
  }
  // Side leaves: an ellipse with a slit.
  for (int k = 0; k < 4; ++k) {
    const double angle = k * std::numbers::pi / 2;
    const double u = dx * std::cos(angle) + dy * std::sin(angle) - 96 * s;
    const double v = -dx * std::sin(angle) + dy * std::cos(angle);
    const double r = std::hypot(u / (22 * s), v / (11 * s));
    const double slit = std::hypot(u / (13 * s), v / (3 * s));
    if (r < 1 && slit >= 1) black = true;
  }
  // The centre: an eight-pointed flower, a round hole, a disc in it, a cross-shaped hole in the
  // disc, and a dot in the cross.
  const double r = std::hypot(dx, dy);
  const double theta = std::atan2(dy, dx);
  if (r < (62 + 14 * std::cos(8 * theta)) * s) black = true;
  if (r < 40 * s) black = false;
  if (r < 28 * s) black = true;
  if (r < (13 + 7 * std::cos(4 * theta)) * s) black = false;
  if (r < 4.5 * s) black = true;
  return black;
}

}  // namespace

vexa::picture::PixelBuffer MakeOrnament(int size) {
  vexa::picture::PixelBuffer picture(size, size);
  for (int y = 1; y <= size; ++y) {
    for (int x = 1; x <= size; ++x) {
      picture.setGray(x, y, Black(x - 0.5, y - 0.5, size) ? 0 : 255);
    }
  }
  return picture;
}

}  // namespace make_pictures
