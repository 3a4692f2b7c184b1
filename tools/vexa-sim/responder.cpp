#include "responder.h"

namespace vexa::sim {

namespace {

// True for a signed decimal integer above zero, however many digits it has.
bool isPositiveInteger(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return false;
  bool nonZero = false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    if (c != '0') nonZero = true;
  }
  return nonZero;
}

}  // namespace

Responder::Responder(const SimOptions& options)
    : tag_(options.tag),
      crlf_(options.crlf),
      silent_(options.silent),
      scanner_(options.tag == "ST"),
      readings_(options.probeReadings) {
  if (readings_.empty()) readings_.push_back("128");
}

std::string Responder::answerFor(std::string_view command) {
  if (silent_) return {};
  if (command == "V") return finish(tag_);
  if (isProbe(command)) {
    std::string reading = readings_[nextReading_];
    nextReading_ = (nextReading_ + 1) % readings_.size();
    return finish(reading + "OK");
  }
  return finish("T");
}

bool Responder::isProbe(std::string_view command) const {
  constexpr std::string_view kProbePrefix = "0,0,";
  return scanner_ && command.starts_with(kProbePrefix) &&
         isPositiveInteger(command.substr(kProbePrefix.size()));
}

std::string Responder::finish(std::string answer) const {
  // An empty tag stays silent even with line ends: that firmware knows no "V" at all.
  if (crlf_ && !answer.empty()) answer += "\r\n";
  return answer;
}

}  // namespace vexa::sim
