#include "emulator/emulated_controller.h"

#include <algorithm>

namespace vexa::emulator {

EmulatedController::EmulatedController(ControllerBehaviour behaviour, EmulatorTiming timing)
    : responder_(std::move(behaviour)),
      answers_(timing.delay),
      pace_(responder_.tag()),
      timing_(timing) {
  timing_.speedup = std::max(timing_.speedup, 1);
}

void EmulatedController::receive(std::string_view bytes, EmulatorTime now,
                                 std::vector<std::string>& completed) {
  splitter_.feed(bytes, now, completed);
}

void EmulatedController::answer(std::string_view command, EmulatorTime now) {
  std::string bytes = responder_.answerFor(command);
  if (bytes.empty()) return;
  std::chrono::microseconds work{0};
  if (timing_.paced) work = pace_.durationOf(command) / timing_.speedup;
  answers_.push(std::move(bytes), now, work);
}

std::optional<EmulatorTime> EmulatedController::nextEvent() const {
  const auto idle = splitter_.idleDeadline();
  const auto due = answers_.nextDue();
  if (!idle) return due;
  if (!due) return idle;
  return std::min(*idle, *due);
}

void EmulatedController::setTag(std::string tag) {
  pace_.setTag(tag);
  responder_.setTag(std::move(tag));
}

}  // namespace vexa::emulator
