#include "gcode/step_paths.h"

#include <algorithm>
#include <cmath>

#include "gcode/gcode_number.h"

namespace vexa::gcode {

void StepTotals::add(const link::StepsMoved& move) {
  x_ += move.x;
  y_ += move.y;
  z_ += move.z;
  if (move.delay > 0) delay_ = move.delay;
}

MillingPath::MillingPath(StandardLines& lines, Calibration mm, double safeZ)
    : lines_(lines), mm_(mm), safeZ_(safeZ) {
  lines_.rapid({}, {}, safeZ_);
}

void MillingPath::moved(const link::StepsMoved& move) {
  const double zBefore = at_.zMm(mm_);
  at_.add(move);
  const double x = at_.xMm(mm_), y = at_.yMm(mm_), z = at_.zMm(mm_);
  const bool inPlane = move.x != 0 || move.y != 0;
  if (!inPlane && move.z == 0) return;  // a pause: nothing moves
  if (!inPlane) {
    if (z >= 0 && z > zBefore) {
      lines_.rapid({}, {}, safeZ_);
      raised_ = true;
    } else {
      lines_.work({}, {}, z, FeedMmPerMinute(mm_.z, at_.delay()));
      raised_ = false;
    }
    return;
  }
  if (raised_ && z >= 0) {
    lines_.rapid(x, y);
    return;
  }
  lines_.work(x, y, z, FeedMmPerMinute(mm_.x, at_.delay()));
  raised_ = false;
}

LaserPath::LaserPath(StandardLines& lines, Calibration mm, std::int64_t sMax)
    : lines_(lines), mm_(mm), sMax_(sMax) {}

void LaserPath::moved(const link::StepsMoved& move) {
  at_.add(move);
  if (move.laser > 0) lines_.laserOn(sMax_);
  if (move.laser < 0) lines_.laserOff();
  if (move.x == 0 && move.y == 0) return;
  if (lines_.laserIsOn()) {
    lines_.work(at_.xMm(mm_), at_.yMm(mm_), {}, FeedMmPerMinute(mm_.x, at_.delay()));
  } else {
    lines_.rapid(at_.xMm(mm_), at_.yMm(mm_));
  }
}

RasterPath::RasterPath(StandardLines& lines, Calibration mm, std::int64_t sMax, double fullDwell,
                       std::int32_t stepsPerPixelX)
    : lines_(lines),
      mm_(mm),
      sMax_(sMax),
      fullDwell_(fullDwell),
      feed_(FeedMmPerMinute(mm.x, fullDwell)),
      stepsPerPixelX_(stepsPerPixelX),
      atEdge_(stepsPerPixelX != 0) {}

void RasterPath::moveX(std::int32_t stepsX) {
  at_.add({stepsX, 0, 0, 0, 0});
  if (stepsPerPixelX_ == 0) return;
  // A pixel's steps either way keep the path on an edge or off one; any other move is rare.
  if (stepsX == stepsPerPixelX_) {
    ++edge_;
  } else if (std::int64_t{stepsX} == -std::int64_t{stepsPerPixelX_}) {
    --edge_;
  } else if (stepsX != 0) {
    atEdge_ = at_.x() % stepsPerPixelX_ == 0;
    edge_ = at_.x() / stepsPerPixelX_;
  }
}

namespace {

// Far beyond any picture's width; an edge past it is made at every use.
constexpr std::int64_t kMostEdgesKept = 1 << 16;

}  // namespace

const WrittenMm& RasterPath::x() {
  if (!atEdge_ || edge_ < 0 || edge_ >= kMostEdgesKept) {
    otherX_ = WrittenMm::Of(at_.xMm(mm_));
    return otherX_;
  }
  const auto edge = static_cast<std::size_t>(edge_);
  if (edge >= edgeX_.size()) edgeX_.resize(edge + 1);
  WrittenMm& x = edgeX_[edge];
  if (x.length == 0) x = WrittenMm::Of(at_.xMm(mm_));
  return x;
}

void RasterPath::travel(std::int32_t stepsX, std::int32_t stepsY) {
  lines_.laserOff();
  moveX(stepsX);
  at_.add({0, stepsY, 0, 0, 0});
  lines_.rapid(at_.xMm(mm_), at_.yMm(mm_));
}

void RasterPath::burn(std::int32_t stepsX, std::int32_t dwell) {
  const std::int64_t power = powers_.get(dwell, [this](std::int32_t kept) {
    // Dwells that are all 0 burn nothing.
    const double share = fullDwell_ > 0 ? std::clamp(kept / fullDwell_, 0.0, 1.0) : 0.0;
    return Rounded(share * static_cast<double>(sMax_));
  });
  moveX(stepsX);
  lines_.burn(x(), feed_, power);
}

}  // namespace vexa::gcode
