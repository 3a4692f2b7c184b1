#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "sim_options.h"

namespace vexa::sim {

// Decides what the firmware says back to one command: the tag to "V", a probe reading to the
// scanner's "0,0,S" (S > 0), "T" to everything else.
class Responder {
 public:
  explicit Responder(const SimOptions& options);

  // The bytes to send back; empty when the command goes unanswered.
  std::string answerFor(std::string_view command);

 private:
  bool isProbe(std::string_view command) const;
  std::string finish(std::string answer) const;

  std::string tag_;
  bool crlf_;
  bool silent_;
  bool scanner_;
  std::vector<std::string> readings_;
  std::size_t nextReading_ = 0;
};

}  // namespace vexa::sim
