#include "link/motion_context.h"

#include "link/step_count.h"

namespace vexa::link {

std::string StopQuestionText() {
  return "Гравировка остановлена. Остановить?\r\nДа - остановить. Нет - продолжить.";
}

AxisSteps MotionContext::toSteps(double dx, double dy, double dz) const {
  return {ToStepCount(dx / settings_.SM_X_ratio, link_),
          ToStepCount(dy / settings_.SM_Y_ratio, link_),
          ToStepCount(dz / settings_.SM_Z_ratio, link_)};
}

bool MotionContext::askToStop() const {
  return link_.prompts().askYesNo(kWarningCaption, StopQuestionText());
}

}  // namespace vexa::link
