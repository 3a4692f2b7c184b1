// The straight-line rule and the arc chords against exact geometry, on seeded random lines and
// arcs.

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "gcode/arc_chords.h"
#include "gcode/axis_distance.h"
#include "gcode/gcode_program.h"
#include "gcode/step_line.h"

namespace vexa::gcode {
namespace {

using Point = Point3;

Point Real(const StepPoint& p) {
  return {static_cast<double>(p[0]), static_cast<double>(p[1]), static_cast<double>(p[2])};
}

// Every command of the line from `from` to `to` (in steps) checked against the rule.
void CheckLine(const Point& from, const Point& to) {
  StepLine line(from, to);
  StepPoint at{NearestStep(from[0]), NearestStep(from[1]), NearestStep(from[2])};
  StepPoint end;
  int commands = 0;
  while (line.next(end)) {
    ++commands;
    ASSERT_LT(commands, 100000);
    for (int a = 0; a < 3; ++a) {
      if (a != line.longest()) {
        ASSERT_LE(std::llabs(end[a] - at[a]), 1) << "axis " << a;
      }
    }
    ASSERT_LE(AxisDistance(Real(end), from, to), 0.5 + 1e-9) << "an end off the line";
    // Whatever order the firmware takes the axes in, the path goes along the edges of the box
    // the two ends span: every corner within one step.
    for (int corner = 0; corner < 8; ++corner) {
      Point p;
      for (int a = 0; a < 3; ++a) p[a] = static_cast<double>((corner >> a & 1) ? end[a] : at[a]);
      ASSERT_LE(AxisDistance(p, from, to), 1 + 1e-9)
          << "corner " << corner << " of the command to " << end[0] << "," << end[1] << ","
          << end[2] << " from " << at[0] << "," << at[1] << "," << at[2] << " on the line "
          << from[0] << "," << from[1] << "," << from[2] << " - " << to[0] << "," << to[1] << ","
          << to[2];
    }
    at = end;
  }
  EXPECT_EQ(at, (StepPoint{NearestStep(to[0]), NearestStep(to[1]), NearestStep(to[2])}));
}

TEST(GcodeGeometry, StraightLinesStayWithinOneStepWhateverTheAxisOrder) {
  std::mt19937_64 random(20240611);
  std::uniform_real_distribution<double> anywhere(-400, 400), near(-3, 3), unit(0, 1);
  std::uniform_int_distribution<int> whole(-300, 300);
  struct Kind {
    const char* name;
    std::function<std::pair<Point, Point>()> make;
  };
  const std::vector<Kind> kinds{
      {"anywhere",
       [&] {
         return std::pair{Point{anywhere(random), anywhere(random), anywhere(random)},
                          Point{anywhere(random), anywhere(random), anywhere(random)}};
       }},
      {"in the plane",
       [&] {
         const double z = anywhere(random);
         return std::pair{Point{anywhere(random), anywhere(random), z},
                          Point{anywhere(random), anywhere(random), z}};
       }},
      {"shallow",
       [&] {
         const Point a{anywhere(random), anywhere(random), anywhere(random)};
         return std::pair{a, Point{a[0] + 8 * anywhere(random), a[1] + near(random), a[2]}};
       }},
      {"half steps",
       [&] {  // ties of the rounding everywhere
         const auto half = [&] { return whole(random) + 0.5; };
         return std::pair{Point{half(), half(), half()}, Point{half(), half(), half()}};
       }},
      {"diagonal",
       [&] {
         const Point a{anywhere(random), anywhere(random), 0};
         const double d = anywhere(random);
         return std::pair{a, Point{a[0] + d, a[1] - d, unit(random) < 0.5 ? 0 : d}};
       }},
      {"short",
       [&] {
         const Point a{anywhere(random), anywhere(random), anywhere(random)};
         return std::pair{a, Point{a[0] + near(random), a[1] + near(random), a[2] + near(random)}};
       }},
  };
  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    for (int i = 0; i < 400; ++i) {
      const auto [from, to] = kind.make();
      CheckLine(from, to);
      if (HasFatalFailure()) return;
    }
  }
}

// A shallow line is not cut into a command per step: one command for each step of the other
// axis, give or take the ends.
TEST(GcodeGeometry, ShallowLinesTakeACommandPerStepOfTheShortAxis) {
  for (const auto& [to, most] : std::vector<std::pair<Point, int>>{
           {{1000, 0, 0}, 1}, {{1000, 10, 0}, 12}, {{1000, 10, -10}, 22}, {{100, 100, 0}, 100}}) {
    StepLine line({0.2, 0.1, 0}, to);
    int commands = 0;
    StepPoint end;
    while (line.next(end)) ++commands;
    EXPECT_LE(commands, most) << to[0] << "," << to[1] << "," << to[2];
  }
}

std::string Number(double value) {
  char text[40];
  std::snprintf(text, sizeof text, "%.6f", value);
  return text;
}

// Turned from a to b around c, the way asked, in (0, 2 pi]; the same point: a full turn.
double Turn(PlanePoint a, PlanePoint b, PlanePoint c, bool clockwise) {
  if (a.x == b.x && a.y == b.y) return 2 * std::numbers::pi;
  double turn = std::atan2(b.y - c.y, b.x - c.x) - std::atan2(a.y - c.y, a.x - c.x);
  if (clockwise) turn = -turn;
  while (turn <= 0) turn += 2 * std::numbers::pi;
  while (turn > 2 * std::numbers::pi) turn -= 2 * std::numbers::pi;
  return turn;
}

// The centre an R word means, worked out apart from the reader: of the two circles of radius
// |r| through a and b, the one round which the turn the way asked is short for r > 0, long
// for r < 0.
PlanePoint CentreOfR(PlanePoint a, PlanePoint b, double r, bool clockwise) {
  const long double dx = b.x - a.x, dy = b.y - a.y, d = std::hypot(dx, dy);
  const long double h = std::sqrt(std::max<long double>(0, r * r - d * d / 4));
  if (h == 0) return {(a.x + b.x) / 2, (a.y + b.y) / 2};  // a half turn either way
  for (int side : {1, -1}) {
    const PlanePoint c{static_cast<double>(a.x + dx / 2 - side * h * dy / d),
                       static_cast<double>(a.y + dy / 2 + side * h * dx / d)};
    if ((Turn(a, b, c, clockwise) <= std::numbers::pi) == (r > 0)) return c;
  }
  return {};
}

TEST(GcodeGeometry, ArcChordsStayWithinTheTolerance) {
  std::mt19937_64 random(19700101);
  std::uniform_real_distribution<double> place(-300, 300), angle(0, 2 * std::numbers::pi),
      radius(0.05, 150), unit(0, 1);
  const double tolerances[] = {0.001, 0.01, 0.1};
  for (int i = 0; i < 600; ++i) {
    const PlanePoint centre{place(random), place(random)};
    const double r = radius(random);
    const double a0 = angle(random);
    const bool clockwise = unit(random) < 0.5;
    const bool full = i % 10 == 0;
    const double sweep = full ? 2 * std::numbers::pi : angle(random);
    const double a1 = a0 + (clockwise ? -sweep : sweep);
    // The arc as written, to six decimals, is the arc checked.
    const PlanePoint start{std::stod(Number(centre.x + r * std::cos(a0))),
                           std::stod(Number(centre.y + r * std::sin(a0)))};
    const PlanePoint end = full ? start
                                : PlanePoint{std::stod(Number(centre.x + r * std::cos(a1))),
                                             std::stod(Number(centre.y + r * std::sin(a1)))};
    const bool radiusForm = !full && i % 3 == 0;
    const double tolerance = tolerances[i % 3];
    std::string text = "G0 X" + Number(start.x) + " Y" + Number(start.y) + "\nG" +
                       (clockwise ? "2" : "3") + " X" + Number(end.x) + " Y" + Number(end.y);
    PlanePoint c;
    if (radiusForm) {
      const double written = std::stod(Number(sweep > std::numbers::pi ? -r : r));
      text += " R" + Number(written);
      c = CentreOfR(start, end, written, clockwise);
    } else {
      const double i = std::stod(Number(centre.x - start.x)),
                   j = std::stod(Number(centre.y - start.y));
      text += " I" + Number(i) + " J" + Number(j);
      c = {start.x + i, start.y + j};
    }
    text += " F500\n";
    SCOPED_TRACE(text);
    const GcodeRead read = ReadGcodeProgram(text, {tolerance});
    ASSERT_FALSE(read.error) << read.error->message;
    const std::vector<Segment>& s = read.program.segments;
    ASSERT_GE(s.size(), 2u);
    const double r1 = std::hypot(start.x - c.x, start.y - c.y);
    const double r2 = std::hypot(end.x - c.x, end.y - c.y);  // six decimals off r1 at most
    double turned = 0;
    for (std::size_t k = 1; k < s.size(); ++k) {
      const PlanePoint from{s[k - 1].x, s[k - 1].y}, to{s[k].x, s[k].y};
      const double away = std::hypot(to.x - c.x, to.y - c.y);
      ASSERT_GE(away, std::min(r1, r2) - 1e-9);
      ASSERT_LE(away, std::max(r1, r2) + 1e-9);
      const double step = Turn(from, to, c, clockwise);
      ASSERT_LE(step, std::numbers::pi + 1e-9) << "chord " << k << " turns the wrong way";
      turned += step;
      // The arc between a chord's ends strays from it by r (1 - cos(half its angle)).
      ASSERT_LE(std::max(r1, r2) * (1 - std::cos(step / 2)), tolerance + 1e-9) << "chord " << k;
    }
    EXPECT_NEAR(turned, Turn(start, end, c, clockwise), 1e-9);
    EXPECT_EQ(s.back().x, end.x);
    EXPECT_EQ(s.back().y, end.y);
    // No more chords than the tolerance asks for.
    EXPECT_LE(s.size() - 1, ChordCount(turned, std::max(r1, r2), tolerance) + 1);
  }
}

}  // namespace
}  // namespace vexa::gcode
