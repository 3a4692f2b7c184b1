#include "app/check_countdown.h"

#include <algorithm>

namespace vexa::app {

std::string CheckCountdownCaption(std::int64_t secondsPassed) {
  return "Проверка " + std::to_string(kCheckWaitSeconds - secondsPassed);
}

void RunCheckCountdown(const link::WholeSecondsClock& clock, link::EventPump& pump,
                       const std::function<bool()>& finished,
                       const std::function<void(const std::string&)>& showCaption) {
  const std::int64_t start = clock();
  std::string shown;
  for (;;) {
    if (finished()) break;
    // A clock set back during the wait counts as no time passed.
    const std::int64_t passed = std::max<std::int64_t>(clock() - start, 0);
    if (passed >= kCheckWaitSeconds) break;
    const std::string caption = CheckCountdownCaption(passed);
    if (caption != shown) {
      shown = caption;
      showCaption(caption);
    }
    pump.processPendingEvents();
  }
  showCaption(kCheckCaption);
}

}  // namespace vexa::app
