#include "manual/cutter_lift.h"

#include <chrono>
#include <thread>

#include "link/commands.h"
#include "link/step_count.h"
#include "settings/settings.h"

namespace vexa::manual {

void LiftCutter(link::MachineLink& link, const link::MachineSettings& settings,
                link::ReplyBuffer& replyBuffer, const std::string& depthText, bool lower) {
  const std::optional<double> depth = settings::ParseDecimal(depthText);
  if (!depth) {
    link.prompts().message(link::kErrorCaption, kDepthNotNumberText);
    return;
  }
  const std::int32_t raise = link::ToStepCount(*depth / settings.SM_Z_ratio, link);
  const std::int32_t steps = link::ToStepCount(lower ? -std::int64_t{raise} : raise, link);
  if (steps == 0) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return;
  }
  link.Send(replyBuffer, link::LiftMove(steps, settings.SM_delay));
  link.WaitReply(replyBuffer, link::ReplyWait::PauseDialog());
}

}  // namespace vexa::manual
