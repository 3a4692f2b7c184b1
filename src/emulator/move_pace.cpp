#include "emulator/move_pace.h"

#include <charconv>

namespace vexa::emulator {

namespace {

using Fields = std::vector<std::optional<std::int64_t>>;

// The fields of a command; an empty field is nullopt. Nothing: a field that is no integer.
std::optional<Fields> fieldsOf(std::string_view command) {
  Fields fields;
  while (true) {
    const std::size_t comma = command.find(',');
    const std::string_view field = command.substr(0, comma);
    if (field.empty()) {
      fields.emplace_back();
    } else {
      std::int64_t value = 0;
      const char* end = field.data() + field.size();
      const auto [stop, error] = std::from_chars(field.data(), end, value);
      if (error != std::errc() || stop != end) return std::nullopt;
      fields.emplace_back(value);
    }
    if (comma == std::string_view::npos) return fields;
    command.remove_prefix(comma + 1);
  }
}

std::int64_t magnitude(std::int64_t value) {
  return value < 0 ? -value : value;
}

// Every field present, as many as `count`.
bool complete(const Fields& f, std::size_t count) {
  if (f.size() != count) return false;
  for (const auto& field : f) {
    if (!field) return false;
  }
  return true;
}

// The sum of the magnitudes of the first `count` fields; an empty or missing one is 0.
std::int64_t stepsOf(const Fields& f, std::size_t count) {
  std::int64_t steps = 0;
  for (std::size_t i = 0; i < count && i < f.size(); ++i) steps += magnitude(f[i].value_or(0));
  return steps;
}

// X,Y,,W: the manual window's move of the scanner and outline firmwares.
bool isManualMove(const Fields& f) {
  return f.size() == 4 && f[0] && f[1] && !f[2] && f[3];
}

}  // namespace

void MovePace::setTag(std::string_view tag) {
  firmware_ = tag == "MT"                    ? Firmware::Milling
              : tag == "PT" || tag == "BT" ? Firmware::Raster
              : tag == "OT"                ? Firmware::Outline
              : tag == "ST"                ? Firmware::Scanner
                                           : Firmware::Other;
}

std::chrono::microseconds MovePace::durationOf(std::string_view command) {
  if (firmware_ == Firmware::Other) return {};
  const auto fields = fieldsOf(command);
  if (!fields) return {};
  const Fields& f = *fields;
  Work work;
  switch (firmware_) {
    case Firmware::Milling:
      if (complete(f, 4)) work = {stepsOf(f, 3), *f[3]};
      break;
    case Firmware::Raster:
      work = rasterWork(f);
      break;
    case Firmware::Outline:
      work = outlineWork(f);
      break;
    case Firmware::Scanner:
      if (isManualMove(f)) {
        work = {stepsOf(f, 2), *f[3]};
      } else if (complete(f, 3) && *f[0] == 0 && *f[1] == 0 && *f[2] > 0) {
        work = {2 * *f[2], kDefaultTravelDelay};  // the probe down and up again
      } else if (complete(f, 3)) {
        work = {stepsOf(f, 3), kDefaultTravelDelay};
      }
      break;
    case Firmware::Other:
      break;
  }
  if (work.perStep <= 0) return {};
  return std::chrono::microseconds(work.steps * work.perStep);
}

MovePace::Work MovePace::rasterWork(const Fields& f) {
  // ,,,K,D (laser) and ,,D (hot wire): the idle delay of the moves that follow.
  if (f.size() == 5 && !f[0] && !f[1] && !f[2] && f[4]) {
    keptDelay_ = *f[4];
    return {};
  }
  if (f.size() == 3 && !f[0] && !f[1] && f[2]) {
    keptDelay_ = *f[2];
    return {};
  }
  if (!complete(f, 3)) return {};
  return {stepsOf(f, 2), *f[2] > 0 ? *f[2] : keptDelay_};
}

MovePace::Work MovePace::outlineWork(const Fields& f) {
  if (isManualMove(f)) {
    if (*f[3] > 0) keptDelay_ = *f[3];
    return {stepsOf(f, 2), *f[3]};
  }
  if (f.size() > 4) return {};
  for (const auto& field : f) {
    if (!field) return {};
  }
  if (f.size() == 3) {
    if (*f[0] == 0 && *f[1] == 0 && magnitude(*f[2]) == 1) return {};  // the laser switch
    return {stepsOf(f, 3), kDefaultTravelDelay};                      // a millimetre move
  }
  const std::int64_t delay = f.size() == 4 ? *f[3] : 0;
  if (delay > 0) keptDelay_ = delay;
  return {stepsOf(f, 2), delay > 0 ? delay : keptDelay_};
}

}  // namespace vexa::emulator
