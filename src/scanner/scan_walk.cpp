#include "scanner/scan_walk.h"

namespace vexa::scanner {

void WalkScanGrid(int nx, int ny, ScanWalkSteps& steps) {
  int c = 1;
  int r = 1;
  for (;;) {
    while (r < ny) {  // upward over columns c and c + 1
      steps.measure(c, r);
      steps.move(1, 0);
      steps.measure(c + 1, r);
      steps.move(0, 1);
      steps.measure(c + 1, r + 1);
      steps.move(-1, 0);
      steps.measure(c, r + 1);
      steps.move(0, 1);
      r += 2;
    }
    steps.measure(c, r);  // top of the strip
    steps.move(1, 0);
    steps.measure(c + 1, r);
    c += 2;
    if (c > nx) return;
    steps.move(1, 0);
    while (r > 1) {  // downward over the next two columns
      steps.measure(c, r);
      steps.move(1, 0);
      steps.measure(c + 1, r);
      steps.move(0, -1);
      steps.measure(c + 1, r - 1);
      steps.move(-1, 0);
      steps.measure(c, r - 1);
      steps.move(0, -1);
      r -= 2;
    }
    steps.measure(c, r);  // bottom of the strip
    steps.move(1, 0);
    steps.measure(c + 1, r);
    c += 2;
    if (c > nx) return;
    steps.move(1, 0);
  }
}

}  // namespace vexa::scanner
