#pragma once
// What a job would send, counted before it runs: commands, motor steps per axis, the firmware's
// time for them and the time model's total. Jobs fill it from their own plan, command by
// command in the order they would send, without building a command text.

#include <cstdint>
#include <string>
#include <vector>

#include "link/time_model.h"

namespace vexa::link {

// One command as the estimate sees it.
struct CommandCost {
  std::int64_t bytes = 0;                           // its text, ";" included
  std::int64_t stepsX = 0, stepsY = 0, stepsZ = 0;  // magnitudes
  std::int64_t firmwareMicros = 0;                  // the firmware's time for the move
};

class JobEstimate {
 public:
  // Progress looks the model time up by the number of commands done, every this many.
  static constexpr std::int64_t kCheckpointEvery = 1024;

  explicit JobEstimate(const TimeModel& model) : model_(model) {}

  void add(const CommandCost& command);

  std::int64_t commands() const { return commands_; }
  std::int64_t stepsX() const { return stepsX_; }
  std::int64_t stepsY() const { return stepsY_; }
  std::int64_t stepsZ() const { return stepsZ_; }
  std::int64_t firmwareMicros() const { return firmwareMicros_; }
  std::int64_t nanos() const { return nanos_; }
  // Rounded to whole seconds.
  std::int64_t seconds() const;

  // The model's time of the first `done` commands, looked up between checkpoints in
  // proportion; exact at every checkpoint and at the end.
  std::int64_t nanosAfter(std::int64_t done) const;

 private:
  TimeModel model_;
  std::int64_t commands_ = 0;
  std::int64_t stepsX_ = 0, stepsY_ = 0, stepsZ_ = 0;
  std::int64_t firmwareMicros_ = 0;
  std::int64_t nanos_ = 0;
  std::vector<std::int64_t> checkpoints_{0};  // nanos after 0, kCheckpointEvery, ... commands
};

// "hh:mm:ss", at least two digits each; hours are not wrapped.
std::string ClockText(std::int64_t seconds);
// "750 000": groups of three digits apart.
std::string GroupedNumber(std::int64_t value);
// "Оценка: 01:23:45, 750 000 команд".
std::string EstimateText(const JobEstimate& estimate);
// "Оценка: —": the job cannot be planned with the present fields.
std::string NoEstimateText();
// "Фрезеровка закончена за 00:01:23": a job's end in its window's status line.
std::string JobDoneText(const std::string& done, std::int64_t seconds);
// "осталось ~00:12:34".
std::string RemainingText(std::int64_t seconds);

}  // namespace vexa::link
