#pragma once
// What the emulated controller says back to one command: the tag to "V", a probe reading to the
// scanner's "0,0,S" (S > 0), "T" to everything else.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::emulator {

// The probe's reading where it stands, in motor steps from where the emulator started.
using ProbeRelief = std::function<int(std::int64_t x, std::int64_t y)>;

// How the emulated controller answers (vexa-sim's options, or demo mode's).
struct ControllerBehaviour {
  std::string tag = "MT";  // empty: "V" goes unanswered, like a firmware without it
  bool crlf = false;       // every answer ends with CR LF
  bool silent = false;     // nothing is answered at all
  // Readings handed out in turn; ignored where `relief` is set.
  std::vector<std::string> probeReadings{"128"};
  ProbeRelief relief;
};

class ControllerResponder {
 public:
  explicit ControllerResponder(ControllerBehaviour behaviour);

  // The bytes to send back; empty when the command goes unanswered.
  std::string answerFor(std::string_view command);

  // The firmware now played (demo mode answers each window with the tag it needs).
  void setTag(std::string tag);
  const std::string& tag() const { return behaviour_.tag; }
  void setRelief(ProbeRelief relief) { behaviour_.relief = std::move(relief); }

 private:
  bool isProbe(std::string_view command) const;
  void followMove(std::string_view command);
  std::string finish(std::string answer) const;

  ControllerBehaviour behaviour_;
  std::size_t nextReading_ = 0;
  std::int64_t x_ = 0, y_ = 0;  // the probe's place, summed from the scanner's moves
};

}  // namespace vexa::emulator
