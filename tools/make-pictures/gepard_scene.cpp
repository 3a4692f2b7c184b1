// gepard2.jpg: a cheetah ("гепард") on the savanna, drawn from shapes and noise. Smooth light on
// the body and sky, fine fur, grass and whiskers: what a raster engraving is tried on.

#include <QImage>
#include <algorithm>
#include <cmath>

#include "scene_noise.h"

namespace make_pictures {

namespace {

double Clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}

// How far (x, y) lies inside an ellipse turned by `angle`: local coordinates scaled to 1 at
// the rim.
struct Ellipse {
  double cx, cy, rx, ry, angle = 0;
  void local(double x, double y, double& u, double& v) const {
    const double c = std::cos(angle), s = std::sin(angle);
    u = ((x - cx) * c + (y - cy) * s) / rx;
    v = (-(x - cx) * s + (y - cy) * c) / ry;
  }
  // 1 well inside, 0 outside, a one-pixel soft rim.
  double cover(double x, double y) const {
    double u, v;
    local(x, y, u, v);
    return Clamp01((1 - std::sqrt(u * u + v * v)) * std::min(rx, ry) + 0.5);
  }
  // Light on the ellipse seen as a half ball, lit from the upper left.
  double light(double x, double y) const {
    double u, v;
    local(x, y, u, v);
    const double r2 = std::min(1.0, u * u + v * v);
    const double nz = std::sqrt(1 - r2);
    return 0.3 + 0.7 * std::max(0.0, -0.45 * u - 0.6 * v + 0.66 * nz);
  }
};

double Blend(double under, double over, double cover) {
  return under + (over - under) * cover;
}

double SegmentDistance(double x, double y, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay;
  const double t = Clamp01(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy));
  return std::hypot(x - ax - t * dx, y - ay - t * dy);
}

// Fur: light by `lum`, dark spots `radius` wide on a `cell` grid, fine streaks.
double Fur(double x, double y, double lum, double cell, double radius) {
  const double base = 215 * lum + 14 * (ValueNoise(x / 1.1, y / 3.5, 61) - 0.5);
  const double d = NearestSpot(x, y, cell, 51);
  const double spot = Clamp01((radius - d) / 1.5 + 0.5);
  return Blend(base, 28 + 30 * lum, spot);
}

double Background(double x, double y) {
  const double horizon = 300 + 36 * (Fractal(x / 160, 3.1, 3, 11) - 0.5);
  double value;
  if (y < horizon) {
    value = 232 - 60 * (y / horizon) + 34 * (Fractal(x / 220, y / 70, 5, 21) - 0.5);
    // A flat-topped acacia far away.
    const Ellipse canopy{655, 212, 115, 24};
    double u, v;
    canopy.local(x, y, u, v);
    if (u * u + v * v < 1 + 0.5 * (ValueNoise(x / 7, y / 7, 71) - 0.5)) {
      value = 78 + 26 * (ValueNoise(x / 2, y / 2, 72) - 0.5);
    }
    if (y > 225 && std::fabs(x - 650 - 0.2 * (y - 240)) < 4.5) value = 70;
  } else {
    const double t = (y - horizon) / (600 - horizon);
    value = 168 - 72 * t + 44 * (ValueNoise(x / 1.3, y / 16, 31) - 0.5) +
            22 * (Fractal(x / 60, y / 30, 3, 41) - 0.5);
  }
  const Ellipse shadow{440, 522, 270, 20};
  return value * (1 - 0.45 * shadow.cover(x, y));
}

double Leg(double value, double x, double y, double centre, double shade) {
  if (y < 350 || y > 528) return value;
  const double half = 17 - 6 * (y - 350) / 178;
  const double s = (x - centre) / half;
  if (std::fabs(s) >= 1) return value;
  const double lum = shade * (0.3 + 0.7 * std::max(0.0, -0.45 * s + 0.66 * std::sqrt(1 - s * s)));
  const double cover = Clamp01((1 - std::fabs(s)) * half + 0.5);
  const double paw = y > 512 ? 0.7 : 1.0;
  return Blend(value, Fur(x, y, lum * paw, 18, 4.5), cover);
}

double Tail(double value, double x, double y) {
  if (x < 600 || y < 270 || y > 470) return value;
  double best = 1e9, along = 0;
  for (int i = 0; i <= 240; ++i) {  // quadratic curve from the back to the tip
    const double t = i / 240.0;
    const double px = (1 - t) * (1 - t) * 630 + 2 * (1 - t) * t * 770 + t * t * 768;
    const double py = (1 - t) * (1 - t) * 300 + 2 * (1 - t) * t * 290 + t * t * 450;
    const double d = std::hypot(x - px, y - py);
    if (d < best) best = d, along = t;
  }
  const double half = 9 - 3.5 * along;
  if (best > half + 1) return value;
  const double lum = 0.35 + 0.6 * std::sqrt(Clamp01(1 - best * best / (half * half)));
  double fur = Fur(x, y, lum, 16, 3.5);
  if (along > 0.62 && std::sin(along * 70) > 0.2) fur = 30;  // the rings near the tip
  if (along > 0.95) fur = 25;
  return Blend(value, fur, Clamp01(half - best + 0.5));
}

double Head(double value, double x, double y) {
  for (const Ellipse& ear : {Ellipse{168, 216, 17, 13, -0.4}, Ellipse{242, 212, 17, 13, 0.4}}) {
    value = Blend(value, 60 + 90 * ear.light(x, y), ear.cover(x, y));
  }
  const Ellipse head{205, 266, 66, 52};
  const double cover = head.cover(x, y);
  if (cover <= 0) return value;
  double face = Fur(x, y, head.light(x, y), 11, 2.4);
  const Ellipse muzzle{207, 298, 27, 17};
  face = Blend(face, 225 + 12 * (ValueNoise(x / 1.2, y / 1.2, 81) - 0.5), muzzle.cover(x, y));
  for (const Ellipse& eye : {Ellipse{184, 256, 10, 6.5, 0.15}, Ellipse{229, 254, 10, 6.5, -0.15}}) {
    double u, v;
    eye.local(x, y, u, v);
    const double r = std::sqrt(u * u + v * v);
    const double iris = r < 0.45 ? 14 : 105 - 40 * r;
    face = Blend(face, iris, eye.cover(x, y));
    if (std::hypot(u + 0.3, v + 0.35) < 0.25) face = 245;  // highlight
  }
  // Tear marks from the eyes to the mouth, the nose, the mouth.
  const double tears = std::min(SegmentDistance(x, y, 181, 262, 174, 302),
                                SegmentDistance(x, y, 232, 260, 242, 300));
  face = Blend(face, 30, Clamp01(2.6 - tears));
  face = Blend(face, 38, Ellipse{207, 288, 10, 6}.cover(x, y));
  const double mouth = std::min({SegmentDistance(x, y, 207, 293, 207, 303),
                                 SegmentDistance(x, y, 207, 303, 196, 309),
                                 SegmentDistance(x, y, 207, 303, 218, 309)});
  face = Blend(face, 40, Clamp01(1.6 - mouth));
  value = Blend(value, face, cover);
  // Whiskers reach past the head: one-pixel lines, the finest detail of the picture.
  for (int side : {-1, 1}) {
    for (int k = 0; k < 3; ++k) {
      const double d =
          SegmentDistance(x, y, 207 + side * 16, 298 + 4 * k, 207 + side * 80, 284 + 14 * k);
      value = Blend(value, 245, Clamp01(0.9 - d));
    }
  }
  return value;
}

double Scene(double x, double y) {
  double value = Background(x, y);
  value = Tail(value, x, y);
  value = Leg(value, x, y, 345, 0.75);  // far legs
  value = Leg(value, x, y, 600, 0.75);
  const Ellipse body{440, 330, 215, 78, -0.04};
  double u, v;
  body.local(x, y, u, v);
  const double belly = v > 0.55 ? 1.15 : 1.0;
  value =
      Blend(value, std::min(255.0, Fur(x, y, body.light(x, y), 17, 5) * belly), body.cover(x, y));
  const Ellipse neck{262, 298, 62, 40, 0.45};
  value = Blend(value, Fur(x, y, neck.light(x, y), 14, 3.8), neck.cover(x, y));
  value = Leg(value, x, y, 300, 1.0);  // near legs
  value = Leg(value, x, y, 560, 1.0);
  return Head(value, x, y);
}

}  // namespace

QImage MakeGepard(int width, int height) {
  QImage image(width, height, QImage::Format_Grayscale8);
  const double scale = 800.0 / width;
  for (int y = 0; y < height; ++y) {
    uchar* line = image.scanLine(y);
    for (int x = 0; x < width; ++x) {
      const double value = Scene((x + 0.5) * scale, (y + 0.5) * scale);
      line[x] = static_cast<uchar>(std::lround(std::clamp(value, 0.0, 255.0)));
    }
  }
  return image;
}

}  // namespace make_pictures
