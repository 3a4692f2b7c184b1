#pragma once
// The path of the probe over the grid: two columns at a time, up the first pair, down the next,
// and so on. The walk only plans; the scan carries its steps out.

namespace vexa::scanner {

class ScanWalkSteps {
 public:
  virtual ~ScanWalkSteps() = default;
  // Probe the grid point (column, row), counted from 1; the probe stands over it.
  virtual void measure(int column, int row) = 0;
  // One grid step: dx and dy are -1, 0 or 1 (columns to the right, rows upward).
  virtual void move(int dx, int dy) = 0;
};

// Starts over point (1, 1) and measures every point of an nx x ny grid once, with nx x ny - 1
// moves and none after the last point. nx must be even and at least 2, ny odd and at least 1
// (ScanNumbers checks both).
void WalkScanGrid(int nx, int ny, ScanWalkSteps& steps);

}  // namespace vexa::scanner
