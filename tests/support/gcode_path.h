#pragma once
// An independent reading of G-code and of controller commands into one comparable path: where
// the tool stands after each move, and whether it works there (the laser burning, the cutter
// below the surface). The export is checked against the commands the same job sent.

#include <string>
#include <vector>

namespace vexa::test {

struct PathPoint {
  double x = 0, y = 0;
  double depth = 0;  // mm below the surface while the cutter is down, else 0
  bool working = false;
};

// The file through the core's reader (gcode::ReadGcodeProgram), a point after each move; a
// refused file or any word the reader does not carry out fails the test that reads it. The
// laser burns on G1/G2/G3 moves between M3/M4 with S > 0 and M5; the cutter works below Z 0.
std::vector<PathPoint> ReadGcodePath(const std::string& text);

// The same from controller commands with the calibration's mm per step: "MT" commands
// X,Y,Z,W (the cutter works below Z 0); "OT" commands X,Y,L,W with trailing fields left out
// (L > 0 switches the laser on, L < 0 off); "PT" commands X,Y,R (R > 0 burns). Setup commands
// and "V" are passed over.
std::vector<PathPoint> CommandPath(const std::vector<std::string>& commands, const char* tag,
                                   double xMm, double yMm, double zMm);

// Equal point for point within `tolerance` mm, the working flags exactly; a failure names the
// first point that differs.
void ExpectSamePath(const std::vector<PathPoint>& file, const std::vector<PathPoint>& machine,
                    double tolerance = 0.001);

}  // namespace vexa::test
