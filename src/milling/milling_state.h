#pragma once
// What the milling window keeps between and during its jobs.

#include <cstdint>

namespace vexa::milling {

// jobKind values: which button's job runs. A job sets its kind only when none is set and clears
// only its own, so "Все" inside "Резать 3D" leaves the relief's kind in place.
inline constexpr int kNoJob = 0;
inline constexpr int kSelectedJob = 1;  // "Выделенная"
inline constexpr int kAllJob = 2;       // "Все"
inline constexpr int kReliefJob = 3;    // "Резать 3D"

struct MillingState {
  std::int32_t toolX = 1;  // the pixel the cutter is taken to stand over, counted from 1
  std::int32_t toolY = 1;
  std::int32_t toolDepth = 0;  // gray units of the contour being milled
  int jobKind = kNoJob;
  bool reliefMode = false;  // "Резать 3D" runs
};

// Sets jobKind to `kind` if no job holds it, and clears it again at the end of the scope if it
// still holds `kind`, however the scope is left.
class JobKindScope {
 public:
  JobKindScope(MillingState& state, int kind) : state_(state), kind_(kind) {
    if (state_.jobKind == kNoJob) state_.jobKind = kind_;
  }
  ~JobKindScope() {
    if (state_.jobKind == kind_) state_.jobKind = kNoJob;
  }
  JobKindScope(const JobKindScope&) = delete;
  JobKindScope& operator=(const JobKindScope&) = delete;

 private:
  MillingState& state_;
  int kind_;
};

}  // namespace vexa::milling
