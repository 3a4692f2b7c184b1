#include "cutting/order_strokes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vexa::cutting {

namespace {

using Squared = std::int64_t;
constexpr Squared kFar = std::numeric_limits<Squared>::max();

// Distances between pixels are square roots of integers, which never lie halfway between two
// integers, so nearest(sqrt(q)) is r = floor(sqrt(q)) or r + 1, and sqrt(q) < R holds exactly
// when q < R²: the rounded rule needs no real numbers.
Squared floorSqrt(Squared q) {
  auto r = static_cast<Squared>(std::sqrt(static_cast<double>(q)));
  while (r * r > q) --r;
  while ((r + 1) * (r + 1) <= q) ++r;
  return r;
}

Squared roundedDistance(Squared q) {
  const Squared r = floorSqrt(q);
  return q <= r * r + r ? r : r + 1;
}

// The largest squared distance whose rounded distance is still the one of `q`.
Squared lastOfRounded(Squared q) {
  if (q == kFar) return kFar;
  const Squared r = roundedDistance(q);
  return r * r + r;
}

// The not yet chosen starts, in square cells. Rebuilt with larger cells as strokes are taken,
// so the search for the nearest one keeps finding some in the first rings of cells.
class StartGrid {
 public:
  StartGrid(const std::vector<StrokeRecord>& table) : table_(table) {
    for (const StrokeRecord& s : table) {
      maxX_ = std::max({maxX_, s.startX, s.endX});
      maxY_ = std::max({maxY_, s.startY, s.endY});
    }
    std::vector<std::int32_t> all(table.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = static_cast<std::int32_t>(i);
    build(all);
  }

  void remove(std::int32_t index) {
    std::vector<std::int32_t>& cell = cells_[cellOf(index)];
    const std::size_t slot = slot_[static_cast<std::size_t>(index)];
    cell[slot] = cell.back();
    slot_[static_cast<std::size_t>(cell[slot])] = slot;
    cell.pop_back();
    if (--left_ > 0 && left_ * 4 <= built_) {
      std::vector<std::int32_t> remaining;
      remaining.reserve(left_);
      for (const auto& c : cells_) remaining.insert(remaining.end(), c.begin(), c.end());
      build(remaining);
    }
  }

  // Every remaining start with its squared distance from (x, y) that can have the smallest
  // rounded distance: all with distance up to the rounded minimum plus one half.
  Squared gather(std::int32_t x, std::int32_t y,
                 std::vector<std::pair<std::int32_t, Squared>>& out) const {
    out.clear();
    Squared best = kFar;
    Squared reach = kFar;
    const int cx = std::clamp(x / size_, 0, columns_ - 1);
    const int cy = std::clamp(y / size_, 0, rows_ - 1);
    const int lastRing = std::max({cx, columns_ - 1 - cx, cy, rows_ - 1 - cy});
    for (int ring = 0; ring <= lastRing; ++ring) {
      if (ring >= 1) {
        // Any start in this ring is at least this far along one axis.
        const Squared near = static_cast<Squared>(ring - 1) * size_ + 1;
        if (near * near > reach) break;
      }
      for (int gy = cy - ring; gy <= cy + ring; ++gy) {
        if (gy < 0 || gy >= rows_) continue;
        const bool edgeRow = gy == cy - ring || gy == cy + ring;
        for (int gx = cx - ring; gx <= cx + ring; gx += edgeRow ? 1 : 2 * ring) {
          if (gx >= 0 && gx < columns_) {
            for (std::int32_t index : cells_[static_cast<std::size_t>(gy) * columns_ + gx]) {
              const StrokeRecord& s = table_[static_cast<std::size_t>(index)];
              const Squared dx = s.startX - x;
              const Squared dy = s.startY - y;
              const Squared q = dx * dx + dy * dy;
              if (q > reach) continue;
              out.emplace_back(index, q);
              if (q < best) {
                best = q;
                reach = lastOfRounded(best);
              }
            }
          }
        }
      }
    }
    return best;
  }

 private:
  void build(const std::vector<std::int32_t>& indices) {
    left_ = built_ = indices.size();
    // About two starts to a cell.
    const double area = (static_cast<double>(maxX_) + 1) * (static_cast<double>(maxY_) + 1);
    size_ =
        std::max(1, static_cast<int>(std::ceil(std::sqrt(2 * area / static_cast<double>(left_)))));
    columns_ = maxX_ / size_ + 1;
    rows_ = maxY_ / size_ + 1;
    cells_.assign(static_cast<std::size_t>(columns_) * rows_, {});
    slot_.resize(table_.size());
    for (std::int32_t index : indices) {
      std::vector<std::int32_t>& cell = cells_[cellOf(index)];
      slot_[static_cast<std::size_t>(index)] = cell.size();
      cell.push_back(index);
    }
  }
  std::size_t cellOf(std::int32_t index) const {
    const StrokeRecord& s = table_[static_cast<std::size_t>(index)];
    return static_cast<std::size_t>(s.startY / size_) * columns_ + s.startX / size_;
  }

  const std::vector<StrokeRecord>& table_;
  std::int32_t maxX_ = 0, maxY_ = 0;
  int size_ = 1, columns_ = 1, rows_ = 1;
  std::size_t left_ = 0, built_ = 0;
  std::vector<std::vector<std::int32_t>> cells_;
  std::vector<std::size_t> slot_;
};

}  // namespace

std::vector<std::int32_t> OrderStrokes(std::vector<StrokeRecord>& table) {
  std::vector<std::int32_t> order;
  order.reserve(table.size());
  for (StrokeRecord& s : table) s.done = 0;
  if (table.empty()) return order;
  StartGrid grid(table);
  std::vector<std::pair<std::int32_t, Squared>> near;
  std::int32_t x = 0, y = 0;
  for (std::size_t i = 0; i < table.size(); ++i) {
    const Squared best = grid.gather(x, y, near);
    // The table-order scan keeps the first stroke of the smallest rounded distance r, then takes
    // every later one whose exact distance is below r.
    const Squared r = roundedDistance(best);
    const Squared first = r == 0 ? 0 : r * r - r + 1;
    const Squared last = r * r + r;
    std::int32_t chosen = -1;
    for (const auto& [index, q] : near) {
      if (q >= first && q <= last && (chosen < 0 || index < chosen)) chosen = index;
    }
    std::int32_t replacing = -1;
    for (const auto& [index, q] : near) {
      if (q >= first && q < r * r && index > chosen && index > replacing) replacing = index;
    }
    if (replacing >= 0) chosen = replacing;
    StrokeRecord& stroke = table[static_cast<std::size_t>(chosen)];
    stroke.done = 1;
    order.push_back(chosen + 1);
    x = stroke.endX;
    y = stroke.endY;
    grid.remove(chosen);
  }
  return order;
}

}  // namespace vexa::cutting
