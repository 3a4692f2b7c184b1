#include "manual/jog_keys.h"

namespace vexa::manual {

AxisDistances JogMove(JogKey key, double step) {
  switch (key) {
    case JogKey::Left:
      return {step, 0, 0};
    case JogKey::Right:
      return {-step, 0, 0};
    case JogKey::Up:
      return {0, -step, 0};
    case JogKey::Down:
      return {0, step, 0};
    case JogKey::ZUp:
      return {0, 0, step};
    case JogKey::ZDown:
      return {0, 0, -step};
  }
  return {};
}

}  // namespace vexa::manual
