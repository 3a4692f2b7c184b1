#pragma once
// "Выполнить" of the G-code window: a read program's translated commands sent to the board one
// by one, as the figure jobs send theirs: through the job's stream (estimate, progress, going on
// after a cut link), each "T" awaited, Stop handled as the milling window handles it ("MT": the
// pause dialog) or the outline window ("OT": the laser off, the question, on again after "Нет"),
// and the laser off however an "OT" run ends. With the run box cleared nothing is sent and the
// path is followed at full speed.

#include <cstdint>
#include <functional>
#include <vector>

#include "gcode/firmware_commands.h"
#include "gcode/gcode_program.h"
#include "gcode/program_translation.h"
#include "link/job_estimate.h"
#include "link/job_stream.h"
#include "link/machine_link.h"
#include "link/reply_buffer.h"

namespace vexa::gcode_run {

// The end of a run in the status line: "Выполнение G-кода закончено за 00:01:23".
inline constexpr const char* kGcodeDoneText = "Выполнение G-кода закончено";

// Where the tool stands, in steps from where the run began.
struct StepPlace {
  std::int64_t x = 0, y = 0, z = 0;
};

struct SenderParts {
  link::MachineLink& link;
  const gcode::GcodeProgram& program;
  gcode::TranslateSettings translate;
  std::function<bool()> runTicked;      // the run box, read at every command
  std::function<bool()> returnToStart;  // "С возвратом в исх."
  // After every command, sent or not: the command and where the tool then stands.
  std::function<void(const gcode::StepCommand&, const StepPlace&)> moved;
  // Lets events through now and then when nothing waits for the board (a dry run).
  std::function<void()> keepAlive;
  // A tool change, the board idle: true goes on, false stops the run as "Стоп" does. Empty: the
  // change's message in a box, whose "OK" goes on.
  std::function<bool(const gcode::Pause&)> toolChange = {};
};

// "С возвратом в исх.": from `end` back to the start one axis at a time at the travel delay,
// the cutter up first and down last, so no part of the way can cut.
std::vector<gcode::StepCommand> ReturnCommands(const StepPlace& end,
                                               const gcode::TranslateSettings& settings);

// The estimate of a run: every command of the program and the return when it is asked for;
// nullopt when the translation refuses the program (`refusal` then says why, when given).
std::optional<link::JobEstimate> EstimateRun(const gcode::GcodeProgram& program,
                                             const gcode::TranslateSettings& settings,
                                             bool returnToStart, const link::TimeModel& model,
                                             gcode::GcodeError* refusal = nullptr);

class GcodeSender {
 public:
  explicit GcodeSender(SenderParts parts);

  link::ReplyBuffer& replies() { return replies_; }
  // Runs the whole program with `stream` following it (null: none). False when the translation
  // refused the program (its message shown); the link abort passes on.
  bool run(link::JobStream* stream);

 private:
  void take(const gcode::StepCommand& command);
  void handleStop();
  void pauseFor(const gcode::StepCommand& command);
  void switchLaserOff();
  bool laserFirmware() const { return parts_.translate.firmware == gcode::Firmware::Laser; }

  SenderParts parts_;
  link::ReplyBuffer replies_;
  link::JobStream* stream_ = nullptr;
  gcode::FirmwareCommands texts_;  // given what the board gets: the delay it holds
  StepPlace place_;
  int laserTold_ = 0;         // "OT": what the board was last told (1 on, -1 off, 0 nothing yet)
  bool laserWanted_ = false;  // "OT": the program's laser, sent or passed over
};

}  // namespace vexa::gcode_run
