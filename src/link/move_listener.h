#pragma once
// Who else wants to know each step move a job makes: the G-code export follows the very moves
// the controller gets, also in a dry run, so the file and the machine see one path.

#include <cstdint>
#include <functional>

namespace vexa::link {

// One step move as accounted for: relative steps, the laser (or burn) value and the delay the
// command carries, whether or not it was sent.
struct StepsMoved {
  std::int32_t x = 0, y = 0, z = 0;
  std::int32_t laser = 0;
  std::int32_t delay = 0;
};

using MoveListener = std::function<void(const StepsMoved&)>;

}  // namespace vexa::link
