#include "gcode/arc_chords.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "gcode/gcode_program.h"

namespace vexa::gcode {

namespace {

constexpr double kTwoPi = 2 * std::numbers::pi;
constexpr double kSameEndMm = 1e-7;

double Slack(double radius) {
  return std::max(kArcRadiusSlackMm, kArcRadiusSlackShare * radius);
}

}  // namespace

ArcFit CheckCentre(PlanePoint start, PlanePoint end, PlanePoint centre) {
  const double r1 = std::hypot(start.x - centre.x, start.y - centre.y);
  const double r2 = std::hypot(end.x - centre.x, end.y - centre.y);
  return std::abs(r1 - r2) <= Slack(std::max(r1, r2)) ? ArcFit::Fits : ArcFit::RadiiDiffer;
}

ArcFit CentreOfRadius(PlanePoint start, PlanePoint end, double r, bool clockwise,
                      PlanePoint& centre) {
  const double dx = end.x - start.x, dy = end.y - start.y;
  const double d = std::hypot(dx, dy);
  if (d < kSameEndMm) return ArcFit::NoEnd;
  const double radius = std::abs(r);
  const double half = d / 2;
  if (half > radius + Slack(radius)) return ArcFit::RadiusTooShort;
  const double h = half < radius ? std::sqrt(radius * radius - half * half) : 0;
  // Right of the way for a short clockwise arc; a long arc or a counter-clockwise one flips it.
  const double side = ((r > 0) == clockwise) ? 1 : -1;
  centre.x = start.x + dx / 2 + side * h * dy / d;
  centre.y = start.y + dy / 2 - side * h * dx / d;
  return ArcFit::Fits;
}

double ArcSweep(PlanePoint start, PlanePoint end, PlanePoint centre, bool clockwise) {
  if (std::hypot(end.x - start.x, end.y - start.y) < kSameEndMm) return kTwoPi;
  const double a0 = std::atan2(start.y - centre.y, start.x - centre.x);
  const double a1 = std::atan2(end.y - centre.y, end.x - centre.x);
  double sweep = clockwise ? a0 - a1 : a1 - a0;
  while (sweep <= 0) sweep += kTwoPi;
  while (sweep > kTwoPi) sweep -= kTwoPi;
  return sweep;
}

std::size_t ChordCount(double sweep, double radius, double tolerance) {
  // At or below the tolerance even a half turn's chord is close enough.
  const double most = tolerance >= radius
                          ? std::numbers::pi
                          : std::min(std::numbers::pi, 2 * std::acos(1 - tolerance / radius));
  const double count = std::ceil(sweep / most);
  if (!(count < 1e15)) return static_cast<std::size_t>(1e15);  // refused by the caller
  return std::max<std::size_t>(1, static_cast<std::size_t>(count));
}

void ArcChords(PlanePoint start, PlanePoint end, PlanePoint centre, bool clockwise,
               std::size_t chords, std::vector<PlanePoint>& points) {
  points.clear();
  const double r1 = std::hypot(start.x - centre.x, start.y - centre.y);
  const double r2 = std::hypot(end.x - centre.x, end.y - centre.y);
  const double a0 = std::atan2(start.y - centre.y, start.x - centre.x);
  const double turn = (clockwise ? -1 : 1) * ArcSweep(start, end, centre, clockwise);
  const double n = static_cast<double>(chords);
  for (std::size_t k = 1; k < chords; ++k) {
    const double share = static_cast<double>(k) / n;
    const double angle = a0 + turn * share;
    const double r = r1 + (r2 - r1) * share;
    points.push_back({centre.x + r * std::cos(angle), centre.y + r * std::sin(angle)});
  }
  points.push_back(end);
}

}  // namespace vexa::gcode
