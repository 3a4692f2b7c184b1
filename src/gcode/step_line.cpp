#include "gcode/step_line.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace vexa::gcode {

StepLine::StepLine(const std::array<double, 3>& from, const std::array<double, 3>& to)
    : from_(from), slope_{0, 0, 0}, stepsPerStep_{0, 0, 0} {
  std::array<double, 3> span{};
  for (int a = 0; a < 3; ++a) {
    start_[a] = NearestStep(from[a]);
    end_[a] = NearestStep(to[a]);
    span[a] = to[a] - from[a];
    if (std::abs(span[a]) > std::abs(span[major_])) major_ = a;
  }
  atPoint_ = start_;
  const double major = span[major_];
  if (major == 0) return;  // no line: at most the start's rounding to the end's
  direction_ = major > 0 ? 1 : -1;
  // Every other axis changes by at most one step a step of the longest.
  for (int a = 0; a < 3; ++a) {
    slope_[a] = a == major_ ? 1 : span[a] / major;
    stepsPerStep_[a] = slope_[a] != 0 ? 1 / std::abs(slope_[a]) : 0;
  }
  if (direction_ > 0) {
    firstMajor_ = WholeBelow(from[major_]) + 1;
    interior_ = -WholeBelow(-to[major_]) - firstMajor_;  // up to the whole step before `to`
  } else {
    firstMajor_ = -WholeBelow(-from[major_]) - 1;
    interior_ = firstMajor_ - WholeBelow(to[major_]);
  }
  interior_ = std::max<std::int64_t>(interior_, 0);
}

std::int64_t StepLine::majorOf(std::int64_t index) const {
  if (index == 0) return start_[major_];
  if (index > interior_) return end_[major_];
  return firstMajor_ + direction_ * (index - 1);
}

StepPoint StepLine::sample(std::int64_t index) const {
  if (index == 0) return start_;
  if (index > interior_) return end_;
  StepPoint point;
  const std::int64_t major = majorOf(index);
  for (int a = 0; a < 3; ++a) {
    point[a] = a == major_ ? major : NearestStep(lineAt(a, static_cast<double>(major)));
  }
  return point;
}

bool StepLine::allowed(const StepPoint& start, const StepPoint& end) const {
  for (int a = 0; a < 3; ++a) {
    if (a != major_ && std::llabs(end[a] - start[a]) > 1) return false;
  }
  if (std::llabs(end[major_] - start[major_]) <= 1) return true;
  const double after = static_cast<double>(start[major_] + direction_);
  const double before = static_cast<double>(end[major_] - direction_);
  for (int a = 0; a < 3; ++a) {
    if (a == major_ || end[a] == start[a]) continue;
    const double way = static_cast<double>(end[a] - start[a]);
    if (way * (lineAt(a, after) - static_cast<double>(start[a])) < 0) return false;
    if (way * (lineAt(a, before) - static_cast<double>(end[a])) > 0) return false;
  }
  return true;
}

std::int64_t StepLine::estimate(const StepPoint& start) const {
  static constexpr double kFar = 1e15;
  const auto below = [](double v) {
    return static_cast<double>(WholeBelow(std::clamp(v, -kFar, kFar)));
  };
  const auto above = [&](double v) { return -below(-v); };
  // The steps of the longest axis each other axis allows, from how far the line at the start
  // is ahead of the start's value on that axis. Reached one step on, the axis may step once, up
  // to where the line passes the next value one step before the end and rounds to it at the end;
  // not reached, it must not step at all.
  double steps = kFar;
  for (int a = 0; a < 3; ++a) {
    if (a == major_ || slope_[a] == 0) continue;
    const double per = stepsPerStep_[a];
    const double ahead =
        static_cast<double>(slope_[a] > 0 ? direction_ : -direction_) *
        (lineAt(a, static_cast<double>(start[major_])) - static_cast<double>(start[a]));
    const double allows =
        ahead + std::abs(slope_[a]) >= 0
            ? std::min(below((1 - ahead) * per) + 1, above((1.5 - ahead) * per) - 1)
            : above((0.5 - ahead) * per) - 1;
    steps = std::min(steps, allows);
  }
  const std::int64_t major =
      start[major_] + direction_ * static_cast<std::int64_t>(std::clamp(steps, 1.0, kFar));
  const std::int64_t index = direction_ * (major - firstMajor_) + 1;
  return std::clamp<std::int64_t>(index, 1, interior_ + 1);
}

bool StepLine::next(StepPoint& end) {
  const std::int64_t last = interior_ + 1;
  while (at_ < last) {
    // The estimate is the farthest sample the rule allows, but for rounding at its very edge
    // and for the line's end, which is no whole step of the longest axis: an estimate beyond
    // what the rule allows is walked back, and the end is tried when it is the next sample.
    std::int64_t q = std::max(estimate(atPoint_), at_ + 1);
    StepPoint point = sample(q);
    while (q > at_ + 1 && !allowed(atPoint_, point)) point = sample(--q);
    if (q + 1 == last && allowed(atPoint_, end_)) {
      q = last;
      point = end_;
    }
    at_ = q;
    if (point == atPoint_) continue;  // a sample the start already stands on
    atPoint_ = point;
    end = point;
    return true;
  }
  return false;
}

}  // namespace vexa::gcode
