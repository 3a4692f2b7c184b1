#pragma once
// The time model worked out the plain way, from the command texts a run really sent (as the
// port saw them, or as vexa-sim logs them, without ";"): what the estimate must come to.

#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "link/time_model.h"

namespace vexa::raster::test {

struct ModelSum {
  std::int64_t commands = 0, stepsX = 0, stepsY = 0, firmwareMicros = 0, nanos = 0;
};

inline std::vector<std::string> fieldsOf(const std::string& command) {
  std::vector<std::string> fields;
  std::stringstream in(command);
  for (std::string field; std::getline(in, field, ',');) fields.push_back(field);
  if (!command.empty() && command.back() == ',') fields.emplace_back();
  return fields;
}

// `travelDelay` is SM_delay: the laser's idle delay (from its setup) for a third field of 0.
inline ModelSum SumOfModel(const std::vector<std::string>& sent, const link::TimeModel& model,
                           std::int64_t travelDelay) {
  ModelSum sum;
  for (std::string command : sent) {
    if (command.ends_with(';')) command.pop_back();
    const std::int64_t bytes = static_cast<std::int64_t>(command.size()) + 1;
    const std::vector<std::string> fields = fieldsOf(command);
    std::int64_t micros = 0;
    if (!fields[0].empty()) {  // a move X,Y,R (the setup commands begin with an empty field)
      const std::int64_t x = std::llabs(std::stoll(fields[0]));
      const std::int64_t y = std::llabs(std::stoll(fields[1]));
      const std::int64_t r = std::stoll(fields[2]);
      micros = (x + y) * (r > 0 ? r : travelDelay);
      sum.stepsX += x;
      sum.stepsY += y;
    }
    ++sum.commands;
    sum.firmwareMicros += micros;
    sum.nanos += model.commandNanos(bytes, micros);
  }
  return sum;
}

}  // namespace vexa::raster::test
