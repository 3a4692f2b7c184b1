#include "emulator/move_pace.h"

#include <charconv>
#include <optional>
#include <vector>

namespace vexa::emulator {

namespace {

// The fields of a command; an empty field is nullopt. Nothing: a field that is no integer.
std::optional<std::vector<std::optional<std::int64_t>>> fieldsOf(std::string_view command) {
  std::vector<std::optional<std::int64_t>> fields;
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

}  // namespace

void MovePace::setTag(std::string_view tag) {
  firmware_ = tag == "MT"                    ? Firmware::Milling
              : tag == "PT" || tag == "BT" ? Firmware::Raster
                                           : Firmware::Other;
}

std::chrono::microseconds MovePace::durationOf(std::string_view command) {
  if (firmware_ == Firmware::Other) return {};
  const auto fields = fieldsOf(command);
  if (!fields) return {};
  const auto& f = *fields;
  if (firmware_ == Firmware::Milling) {
    if (f.size() != 4 || !f[0] || !f[1] || !f[2] || !f[3] || *f[3] <= 0) return {};
    return std::chrono::microseconds((magnitude(*f[0]) + magnitude(*f[1]) + magnitude(*f[2])) *
                                     *f[3]);
  }
  // ,,,K,D (laser) and ,,D (hot wire): the idle delay of the moves that follow.
  if (f.size() == 5 && !f[0] && !f[1] && !f[2] && f[4]) {
    travelDelay_ = *f[4];
    return {};
  }
  if (f.size() == 3 && !f[0] && !f[1] && f[2]) {
    travelDelay_ = *f[2];
    return {};
  }
  if (f.size() != 3 || !f[0] || !f[1] || !f[2]) return {};
  const std::int64_t perStep = *f[2] > 0 ? *f[2] : travelDelay_;
  if (perStep <= 0) return {};
  return std::chrono::microseconds((magnitude(*f[0]) + magnitude(*f[1])) * perStep);
}

}  // namespace vexa::emulator
