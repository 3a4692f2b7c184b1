#pragma once
// vexa-cli's exit statuses, as the README lists them.

namespace vexa::cli {

enum ExitStatus : int {
  kDone = 0,
  kBadInput = 1,     // arguments, fields or the picture
  kLinkFailure = 2,  // the port, the firmware or the line
  kStopped = 3,      // Ctrl+C
};

}  // namespace vexa::cli
