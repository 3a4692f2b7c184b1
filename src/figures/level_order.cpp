#include "figures/level_order.h"

#include <algorithm>
#include <tuple>

namespace vexa::figures {

std::vector<std::int32_t> DarkFiguresDeepestFirst(const FigureTable& table,
                                                  const ContourStarts& starts) {
  struct Entry {
    std::int32_t level;
    int y, x;
    std::int32_t figure;
  };
  std::vector<Entry> entries;
  for (std::int32_t figure = 1; figure <= table.length(); ++figure) {
    const FigureRecord& record = table[figure];
    if (record.state != kInUse || record.colour != kDark) continue;
    if (const auto first = starts.outer(figure)) {
      entries.push_back({record.level, first->y, first->x, figure});
    }
  }
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return std::tie(b.level, a.y, a.x) < std::tie(a.level, b.y, b.x);
  });
  std::vector<std::int32_t> order;
  order.reserve(entries.size());
  for (const Entry& entry : entries) order.push_back(entry.figure);
  return order;
}

}  // namespace vexa::figures
