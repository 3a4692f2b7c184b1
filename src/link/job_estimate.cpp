#include "link/job_estimate.h"

#include <algorithm>
#include <cstdio>

namespace vexa::link {

namespace {

// "команда", "команды", "команд" as Russian counts them.
const char* commandsWord(std::int64_t count) {
  const std::int64_t lastTwo = count % 100;
  const std::int64_t last = count % 10;
  if (last == 1 && lastTwo != 11) return "команда";
  if (last >= 2 && last <= 4 && (lastTwo < 12 || lastTwo > 14)) return "команды";
  return "команд";
}

}  // namespace

void JobEstimate::add(const CommandCost& command) {
  stepsX_ += command.stepsX;
  stepsY_ += command.stepsY;
  stepsZ_ += command.stepsZ;
  firmwareMicros_ += command.firmwareMicros;
  nanos_ += model_.commandNanos(command.bytes, command.firmwareMicros);
  if (++commands_ % kCheckpointEvery == 0) checkpoints_.push_back(nanos_);
}

std::int64_t JobEstimate::seconds() const {
  return (nanos_ + 500'000'000) / 1'000'000'000;
}

std::int64_t JobEstimate::nanosAfter(std::int64_t done) const {
  if (done >= commands_) return nanos_;
  if (done <= 0) return 0;
  const std::size_t index = static_cast<std::size_t>(done / kCheckpointEvery);
  const std::int64_t before = checkpoints_[index];
  const std::int64_t start = static_cast<std::int64_t>(index) * kCheckpointEvery;
  const std::int64_t end = std::min(start + kCheckpointEvery, commands_);
  const std::int64_t after = index + 1 < checkpoints_.size() ? checkpoints_[index + 1] : nanos_;
  return before + static_cast<std::int64_t>(static_cast<double>(after - before) *
                                            static_cast<double>(done - start) /
                                            static_cast<double>(end - start));
}

std::string ClockText(std::int64_t seconds) {
  const long long s = seconds < 0 ? 0 : seconds;
  char text[48];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", s / 3600, (s / 60) % 60, s % 60);
  return text;
}

std::string GroupedNumber(std::int64_t value) {
  const std::string digits = std::to_string(value < 0 ? -value : value);
  std::string grouped = value < 0 ? "-" : "";
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += ' ';
    grouped += digits[i];
  }
  return grouped;
}

std::string EstimateText(const JobEstimate& estimate) {
  return "Оценка: " + ClockText(estimate.seconds()) + ", " + GroupedNumber(estimate.commands()) +
         " " + commandsWord(estimate.commands());
}

std::string NoEstimateText() {
  return "Оценка: —";
}

std::string JobDoneText(const std::string& done, std::int64_t seconds) {
  return done + " за " + ClockText(seconds);
}

std::string RemainingText(std::int64_t seconds) {
  return "осталось ~" + ClockText(seconds);
}

}  // namespace vexa::link
