#include "gcode_run/gcode_sender.h"

#include <chrono>
#include <thread>

#include "link/commands.h"
#include "link/motion_context.h"

namespace vexa::gcode_run {

namespace {

gcode::StepCommand Travel(std::int64_t x, std::int64_t y, std::int64_t z, int delay) {
  gcode::StepCommand command;
  command.x = static_cast<std::int32_t>(x);
  command.y = static_cast<std::int32_t>(y);
  command.z = static_cast<std::int32_t>(z);
  command.delay = delay;
  return command;
}

}  // namespace

std::vector<gcode::StepCommand> ReturnCommands(const StepPlace& end,
                                               const gcode::TranslateSettings& settings) {
  std::vector<gcode::StepCommand> commands;
  const int delay = settings.travelDelay;
  // Z steps grow up when SM_Z_ratio is above 0: "up" is the way back to the start's height
  // only when the tool stands below it.
  const bool below = (end.z < 0) == (settings.mm.z > 0);
  if (end.z != 0 && below) commands.push_back(Travel(0, 0, -end.z, delay));
  if (end.x != 0) commands.push_back(Travel(-end.x, 0, 0, delay));
  if (end.y != 0) commands.push_back(Travel(0, -end.y, 0, delay));
  if (end.z != 0 && !below) commands.push_back(Travel(0, 0, -end.z, delay));
  return commands;
}

std::optional<link::JobEstimate> EstimateRun(const gcode::GcodeProgram& program,
                                             const gcode::TranslateSettings& settings,
                                             bool returnToStart, const link::TimeModel& model,
                                             gcode::GcodeError* refusal) {
  link::JobEstimate estimate(model);
  const auto back = [&](const gcode::TranslationTotals& totals) {
    if (!returnToStart) return std::vector<gcode::StepCommand>{};
    return ReturnCommands({totals.endX, totals.endY, totals.endZ}, settings);
  };
  if (const auto error = gcode::FillEstimate(estimate, program, settings, back)) {
    if (refusal) *refusal = *error;
    return std::nullopt;
  }
  return estimate;
}

GcodeSender::GcodeSender(SenderParts parts)
    : parts_(std::move(parts)), texts_(parts_.translate.firmware) {}

bool GcodeSender::run(link::JobStream* stream) {
  stream_ = stream;
  place_ = {};
  laserTold_ = 0;
  laserWanted_ = false;
  texts_ = gcode::FirmwareCommands(parts_.translate.firmware);
  link::MachineLink& link = parts_.link;
  link.StopRequested = false;
  link.AbandonOwed(replies_);  // what was owed before is not this run's answer
  // However the run ends, an "OT" laser the board was told on goes off.
  struct LaserOff {
    GcodeSender& sender;
    ~LaserOff() { sender.switchLaserOff(); }
  } laserOff{*this};
  gcode::TranslationTotals totals;
  if (const auto refusal = gcode::TranslateProgram(
          parts_.program, parts_.translate, [this](const gcode::StepCommand& c) { take(c); },
          totals)) {
    link.prompts().message(link::kErrorCaption, refusal->message);
    return false;
  }
  if (parts_.returnToStart && parts_.returnToStart()) {
    for (const gcode::StepCommand& command : ReturnCommands(place_, parts_.translate)) {
      take(command);
    }
  }
  return true;
}

void GcodeSender::take(const gcode::StepCommand& command) {
  link::MachineLink& link = parts_.link;
  const bool ticked = parts_.runTicked();
  if (link.StopRequested && !(stream_ && stream_->planning())) handleStop();
  if (command.kind == gcode::CommandKind::LaserOn) laserWanted_ = true;
  if (command.kind == gcode::CommandKind::LaserOff) laserWanted_ = false;
  link::JobStream::Fate fate = link::UnfollowedFate(ticked);
  // The texts follow the delay the board holds: they are given only what it gets, or, for a
  // plan, every command planned.
  if (stream_) fate = stream_->take(ticked, [&] { return texts_.cost(command, parts_.program); });
  if (fate == link::JobStream::Fate::Send) {
    const std::string text = texts_.text(command);
    if (laserFirmware() && command.kind == gcode::CommandKind::Move) {
      // Going on after a cut link in the middle of a burn: the board was not told on.
      if (laserWanted_ && laserTold_ <= 0) {
        if (link.Send(replies_, link::OutlineMove(0, 0, 1, 0))) laserTold_ = 1;
        link.WaitReply(replies_, link::ReplyWait::JobWindow(parts_.runTicked));
      }
    }
    if (!text.empty()) {
      if (link.Send(replies_, text)) {
        if (command.kind == gcode::CommandKind::LaserOn) laserTold_ = 1;
        if (command.kind == gcode::CommandKind::LaserOff) laserTold_ = -1;
      }
      link.WaitReply(replies_, link::ReplyWait::JobWindow(parts_.runTicked));
    } else {
      pauseFor(command);
    }
  } else if (fate == link::JobStream::Fate::DryRun && parts_.keepAlive) {
    parts_.keepAlive();
  }
  place_.x += command.x;
  place_.y += command.y;
  place_.z += command.z;
  if (parts_.moved) parts_.moved(command, place_);
}

// A dwell waits its time on the machine; a tool change waits for the user, the board idle.
void GcodeSender::pauseFor(const gcode::StepCommand& command) {
  link::MachineLink& link = parts_.link;
  const gcode::Pause& pause = parts_.program.pauses.at(command.pause);
  link.CollectOwed(replies_, link::ReplyWait::JobWindow(parts_.runTicked));
  if (command.kind == gcode::CommandKind::ToolChange) {
    if (!parts_.toolChange) {
      link.prompts().message(link::kWarningCaption, gcode::PauseText(pause));
    } else if (!parts_.toolChange(pause)) {
      link.StopRequested = true;
      handleStop();
    }
    return;
  }
  const auto end = std::chrono::steady_clock::now() +
                   std::chrono::microseconds(static_cast<std::int64_t>(pause.seconds * 1e6));
  while (std::chrono::steady_clock::now() < end && !link.StopRequested) {
    link.pump().processPendingEvents();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

void GcodeSender::handleStop() {
  link::MachineLink& link = parts_.link;
  link::ReplyWait held = link::ReplyWait::JobWindow(parts_.runTicked);
  held.stopTest = false;
  if (!laserFirmware()) {
    // The dialog opens once the machine has done every command sent.
    link.CollectOwed(replies_, held);
    if (link.prompts().PauseDialog() == 0) throw link::LinkAbort();
    link.StopRequested = false;
    return;
  }
  const bool laserOn = laserTold_ > 0;
  if (laserOn && link.Send(replies_, link::LaserOff())) laserTold_ = -1;
  link.CollectOwed(replies_, held);
  if (link.prompts().askYesNo(link::kWarningCaption, link::StopQuestionText())) {
    throw link::LinkAbort();
  }
  link.StopRequested = false;
  if (laserOn && parts_.runTicked()) {
    if (link.Send(replies_, link::LaserOn())) laserTold_ = 1;
    link.WaitReply(replies_, link::ReplyWait::JobWindow(parts_.runTicked));
  }
}

void GcodeSender::switchLaserOff() {
  link::MachineLink& link = parts_.link;
  if (!laserFirmware() || laserTold_ <= 0 || !link.isOpen()) return;
  // Not awaited: the run may have ended because the board stopped answering.
  if (link.Send(replies_, link::LaserOff())) laserTold_ = -1;
  link.AbandonOwed(replies_);
}

}  // namespace vexa::gcode_run
