#pragma once
// Runs the real vexa executable on a program folder with an automation script, as the
// end-to-end tests do.

#include <string>

#include "support/temp_folder.h"

namespace vexa::test {

struct VexaRun {
  int exitCode = -1;
  std::string transcript;  // standard output: one line per message box
  std::string errors;
};

// Starts vexa on `programDir` with `script` and waits for it to end (a test failure when it
// does not end within two minutes; it is killed then).
VexaRun runVexa(const TempFolder& programDir, const std::string& script);

}  // namespace vexa::test
