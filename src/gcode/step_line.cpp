#include "gcode/step_line.h"

#include <algorithm>
#include <cstdlib>

namespace vexa::gcode {

StepLine::StepLine(const std::array<double, 3>& from, const std::array<double, 3>& to)
    : from_(from), slope_{0, 0, 0} {
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
  for (int a = 0; a < 3; ++a) slope_[a] = a == major_ ? 1 : span[a] / major;
  if (direction_ > 0) {
    firstMajor_ = static_cast<std::int64_t>(std::floor(from[major_])) + 1;
    interior_ = static_cast<std::int64_t>(std::ceil(to[major_])) - 1 - firstMajor_ + 1;
  } else {
    firstMajor_ = static_cast<std::int64_t>(std::ceil(from[major_])) - 1;
    interior_ = firstMajor_ - (static_cast<std::int64_t>(std::floor(to[major_])) + 1) + 1;
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
  // Steps of the longest axis each other axis allows, from where the line stands against the
  // start on that axis (f0, in steps ahead of it).
  constexpr double kFar = 1e15;
  double steps = kFar;
  for (int a = 0; a < 3; ++a) {
    if (a == major_ || slope_[a] == 0) continue;
    const double rate = std::abs(slope_[a]);
    const double ahead = (slope_[a] > 0 ? 1 : -1) * (lineAt(a, static_cast<double>(start[major_])) -
                                                     static_cast<double>(start[a]));
    const double allows = ahead + rate >= 0 ? std::min(std::floor((1 - ahead) / rate) + 1,
                                                       std::ceil((1.5 - ahead) / rate) - 1)
                                            : std::ceil((0.5 - ahead) / rate) - 1;
    steps = std::min(steps, allows);
  }
  steps = std::clamp(steps, 1.0, kFar);
  const std::int64_t major = start[major_] + direction_ * static_cast<std::int64_t>(steps);
  const std::int64_t index = direction_ * (major - firstMajor_) + 1;
  return std::clamp<std::int64_t>(index, 1, interior_ + 1);
}

bool StepLine::next(StepPoint& end) {
  const std::int64_t last = interior_ + 1;
  while (at_ < last) {
    std::int64_t q = std::max(estimate(atPoint_), at_ + 1);
    if (allowed(atPoint_, sample(q))) {
      while (q < last && allowed(atPoint_, sample(q + 1))) ++q;
    } else {
      while (q > at_ + 1 && !allowed(atPoint_, sample(q))) --q;
    }
    const StepPoint point = sample(q);
    at_ = q;
    if (point == atPoint_) continue;  // a sample the start already stands on
    atPoint_ = point;
    end = point;
    return true;
  }
  return false;
}

}  // namespace vexa::gcode
