#pragma once
// Keyboard jogging: which key moves which axis, and which way.

#include "manual/axis_distances.h"

namespace vexa::manual {

enum class JogKey { Left, Right, Up, Down, ZUp, ZDown };

// Left moves X by +step, Right by -step; Up moves Y by -step, Down by +step; Q raises Z by
// +step and A lowers it by -step.
AxisDistances JogMove(JogKey key, double step);

}  // namespace vexa::manual
