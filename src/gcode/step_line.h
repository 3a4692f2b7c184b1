#pragma once
// A straight move cut into step commands that keep the machine on the line.
//
// The firmwares take a command's axes one after the other, so a command's steps go along the
// edges of the box its two ends span, in an order the translation does not choose. The rule: every
// command's end is a step point nearest the line (the line's point at a whole step of its longest
// axis, each other axis rounded; the last end the nearest step point of the move's end), and
//   - a command moves at most one step on every axis, or
//   - it moves more on the longest axis and at most one step on each other axis, and for every
//     other axis it steps, the line one step of the longest axis after the command's start has
//     reached the start's value on that axis, and one step before the command's end has not yet
//     passed the end's value.
// Then, whatever the order of the axes, every point of the box lies within one motor step, along
// every axis at once, of some point of the line: at the box's start face the line one step on
// lies between the start and end values of every axis, at its end face the line one step back
// does, and a box within that reach of two points of a line is within it everywhere. Among the
// commands the rule allows, each one goes as far along the line as it can (give or take a tie
// in the rounding).

#include <array>
#include <cstdint>

namespace vexa::gcode {

using StepPoint = std::array<std::int64_t, 3>;

// floor() for |value| < 2^63, without the library call a portable build makes of std::floor.
inline std::int64_t WholeBelow(double value) {
  const auto whole = static_cast<std::int64_t>(value);  // towards zero
  return whole - (value < static_cast<double>(whole));
}

// The nearest whole step, halves up. Not link::Nearest (halves to even): with it, points one
// step apart along a line (1.5, 2.5) could round two steps apart (2, 2 then 4).
inline std::int64_t NearestStep(double steps) {
  return WholeBelow(steps + 0.5);
}

class StepLine {
 public:
  // From `from` to `to`, positions in steps (finite, within +-2^52); the machine stands at
  // the nearest step point of `from`.
  StepLine(const std::array<double, 3>& from, const std::array<double, 3>& to);

  // The next command's end; false once the end is reached.
  bool next(StepPoint& end);
  // The longest axis (0 X, 1 Y, 2 Z).
  int longest() const { return major_; }

 private:
  // Samples: 0 the start, 1..interior_ the whole steps of the longest axis strictly inside the
  // line, interior_ + 1 the end.
  StepPoint sample(std::int64_t index) const;
  std::int64_t majorOf(std::int64_t index) const;
  double lineAt(int axis, double major) const {
    return from_[axis] + (major - from_[major_]) * slope_[axis];
  }
  bool allowed(const StepPoint& start, const StepPoint& end) const;
  std::int64_t estimate(const StepPoint& start) const;

  std::array<double, 3> from_, slope_;
  std::array<double, 3> stepsPerStep_;  // 1 / |slope|: steps of the longest axis to one of each
  int major_ = 0;
  std::int64_t direction_ = 1;
  std::int64_t firstMajor_ = 0;  // sample 1's major coordinate
  std::int64_t interior_ = 0;
  StepPoint start_{}, end_{};
  std::int64_t at_ = 0;  // the sample the machine has reached
  StepPoint atPoint_{};
};

}  // namespace vexa::gcode
