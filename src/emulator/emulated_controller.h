#pragma once
// The controller as vexa-sim and demo mode play it: cuts the bytes it receives into commands,
// answers each in order, every answer due after the one before it and after the firmware's
// time for the command's move when moves are paced. The line around it (a pseudo-terminal, or
// the process itself) belongs to the caller, and so do the faults vexa-sim can play.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "emulator/answer_queue.h"
#include "emulator/command_splitter.h"
#include "emulator/controller_responder.h"
#include "emulator/emulator_clock.h"
#include "emulator/move_pace.h"

namespace vexa::emulator {

struct EmulatorTiming {
  std::chrono::milliseconds delay{0};  // before every answer
  bool paced = false;                  // moves take the firmware's time (MovePace)
  int speedup = 1;                     // ... divided by this
};

class EmulatedController {
 public:
  EmulatedController(ControllerBehaviour behaviour, EmulatorTiming timing);

  // Appends to `completed` the commands `bytes` complete; nothing is answered yet.
  void receive(std::string_view bytes, EmulatorTime now, std::vector<std::string>& completed);
  // A command without ";" (the laser's on and off) completes when the line has been idle.
  std::optional<std::string> takeIdleCommand(EmulatorTime now) {
    return splitter_.takeIdleCommand(now);
  }
  // Queues the answer to one received command.
  void answer(std::string_view command, EmulatorTime now);
  // Moves the oldest answer into `bytes` if it is due by `now`.
  bool popDue(EmulatorTime now, std::string& bytes) { return answers_.popDue(now, bytes); }
  // When something next happens on its own: an idle command completes or an answer falls due.
  std::optional<EmulatorTime> nextEvent() const;

  void setTag(std::string tag);
  void setRelief(ProbeRelief relief) { responder_.setRelief(std::move(relief)); }
  const std::string& tag() const { return responder_.tag(); }

 private:
  CommandSplitter splitter_;
  ControllerResponder responder_;
  AnswerQueue answers_;
  MovePace pace_;
  EmulatorTiming timing_;
};

}  // namespace vexa::emulator
