#include "support/gcode_path.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <sstream>

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

std::string WithoutComments(const std::string& line) {
  std::string out;
  int depth = 0;
  for (char c : line) {
    if (c == ';' && depth == 0) break;
    if (c == '(') ++depth;
    if (depth == 0) out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (c == ')') --depth;
  }
  return out;
}

}  // namespace

std::vector<PathPoint> ReadGcodePath(const std::string& text) {
  std::vector<PathPoint> path{PathPoint{}};  // both readings start at the origin, idle
  double x = 0, y = 0, z = 0, scale = 1, power = 0;
  bool relative = false, laser = false;
  std::istringstream lines(text);
  std::string raw;
  int number = 0;
  while (std::getline(lines, raw)) {
    ++number;
    const std::string line = WithoutComments(raw);
    int motion = -1;
    bool hasX = false, hasY = false, hasZ = false;
    double nx = 0, ny = 0, nz = 0;
    for (std::size_t i = 0; i < line.size();) {
      const char letter = line[i];
      if (std::isspace(static_cast<unsigned char>(letter)) || letter == '\r') {
        ++i;
        continue;
      }
      char* end = nullptr;
      const double value = std::strtod(line.c_str() + i + 1, &end);
      const std::size_t next = static_cast<std::size_t>(end - line.c_str());
      EXPECT_GT(next, i + 1) << "line " << number << ": " << raw;
      if (next <= i + 1) return path;
      i = next;
      switch (letter) {
        case 'G':
          if (value == 0 || value == 1) motion = static_cast<int>(value);
          else if (value == 20) scale = 25.4;
          else if (value == 21) scale = 1;
          else if (value == 90) relative = false;
          else if (value == 91) relative = true;
          else ADD_FAILURE() << "line " << number << ": G" << value;
          break;
        case 'M':
          if (value == 3 || value == 4) laser = true;
          else if (value == 5) laser = false;
          else if (value != 2 && value != 30) ADD_FAILURE() << "line " << number << ": M" << value;
          break;
        case 'X': hasX = true; nx = value * scale; break;
        case 'Y': hasY = true; ny = value * scale; break;
        case 'Z': hasZ = true; nz = value * scale; break;
        case 'S': power = value; break;
        case 'F': break;
        default: ADD_FAILURE() << "line " << number << ": word " << letter;
      }
    }
    if (motion < 0) {
      EXPECT_FALSE(hasX || hasY || hasZ) << "line " << number << ": axes without G0/G1";
      continue;
    }
    if (hasX) x = relative ? x + nx : nx;
    if (hasY) y = relative ? y + ny : ny;
    if (hasZ) z = relative ? z + nz : nz;
    const bool cutting = z < -1e-9;
    const bool burning = motion == 1 && laser && power > 0;
    Keep(path, {x, y, cutting ? -z : 0, cutting || burning});
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
