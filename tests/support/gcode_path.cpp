#include "support/gcode_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>

#include "gcode/gcode_program.h"

namespace vexa::test {

namespace {

// Keeps a point only when it differs from the last one: both readings collapse repeats the
// same way, so a move that goes nowhere is no point in either.
void Keep(std::vector<PathPoint>& path, const PathPoint& point) {
  if (!path.empty()) {
    const PathPoint& last = path.back();
    if (std::abs(last.x - point.x) < 1e-9 && std::abs(last.y - point.y) < 1e-9 &&
        std::abs(last.depth - point.depth) < 1e-9 && last.working == point.working) {
      return;
    }
  }
  path.push_back(point);
}

}  // namespace

std::vector<PathPoint> ReadGcodePath(const std::string& text) {
  std::vector<PathPoint> path{PathPoint{}};  // both readings start at the origin, idle
  const gcode::GcodeRead read = gcode::ReadGcodeProgram(text);
  if (read.error) {
    ADD_FAILURE() << read.error->message;
    return path;
  }
  for (const gcode::UnknownWord& word : read.program.unknown) {
    ADD_FAILURE() << "line " << word.line << ": " << word.word;
  }
  for (const gcode::Segment& s : read.program.segments) {
    const bool cutting = s.z < -1e-9;
    const bool burning = s.work && s.laser;
    Keep(path, {s.x, s.y, cutting ? -s.z : 0, cutting || burning});
  }
  return path;
}

std::vector<PathPoint> CommandPath(const std::vector<std::string>& commands, const char* tag,
                                   double xMm, double yMm, double zMm) {
  const std::string firmware = tag;
  std::vector<PathPoint> path{PathPoint{}};
  long long x = 0, y = 0, z = 0;
  bool laser = false;
  for (std::string command : commands) {
    if (!command.empty() && command.back() == ';') command.pop_back();
    if (command.empty() || command == "V" || command.front() == ',') continue;  // setup, query
    std::vector<long long> fields;
    std::stringstream in(command);
    std::string field;
    while (std::getline(in, field, ',')) fields.push_back(field.empty() ? 0 : std::stoll(field));
    fields.resize(4, 0);
    x += fields[0];
    y += fields[1];
    bool working = false;
    if (firmware == "MT") {
      z += fields[2];
      working = z < 0;
    } else if (firmware == "OT") {
      if (fields[2] > 0) laser = true;
      if (fields[2] < 0) laser = false;
      working = laser;
    } else {
      working = fields[2] > 0;
    }
    const bool moved = fields[0] != 0 || fields[1] != 0 || (firmware == "MT" && fields[2] != 0);
    if (!moved) continue;  // the laser switched, a pause: no point, as in the file
    const double depth = z < 0 ? -static_cast<double>(z) * zMm : 0;
    Keep(path, {static_cast<double>(x) * xMm, static_cast<double>(y) * yMm, depth, working});
  }
  return path;
}

void ExpectSamePath(const std::vector<PathPoint>& file, const std::vector<PathPoint>& machine,
                    double tolerance) {
  for (std::size_t i = 0; i < std::min(file.size(), machine.size()); ++i) {
    const PathPoint& f = file[i];
    const PathPoint& m = machine[i];
    const bool same = std::abs(f.x - m.x) <= tolerance && std::abs(f.y - m.y) <= tolerance &&
                      std::abs(f.depth - m.depth) <= tolerance && f.working == m.working;
    ASSERT_TRUE(same) << "point " << i << ": file X" << f.x << " Y" << f.y << " depth " << f.depth
                      << (f.working ? " working" : " idle") << ", machine X" << m.x << " Y"
                      << m.y << " depth " << m.depth << (m.working ? " working" : " idle");
  }
  EXPECT_EQ(file.size(), machine.size()) << "points in the file and in the commands";
}

}  // namespace vexa::test
