#include "emulator/controller_responder.h"

#include <charconv>

namespace vexa::emulator {

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

// The integer in `text` up to the next "," (or its end), cut off there; false when it is none.
bool takeField(std::string_view& text, std::int64_t& value) {
  const std::size_t comma = text.find(',');
  const std::string_view field = text.substr(0, comma);
  const char* end = field.data() + field.size();
  const auto [stop, error] = std::from_chars(field.data(), end, value);
  if (field.empty() || error != std::errc() || stop != end) return false;
  text.remove_prefix(comma == std::string_view::npos ? text.size() : comma + 1);
  return true;
}

}  // namespace

ControllerResponder::ControllerResponder(ControllerBehaviour behaviour)
    : behaviour_(std::move(behaviour)) {
  if (behaviour_.probeReadings.empty()) behaviour_.probeReadings.push_back("128");
}

void ControllerResponder::setTag(std::string tag) {
  behaviour_.tag = std::move(tag);
}

std::string ControllerResponder::answerFor(std::string_view command) {
  if (behaviour_.silent) return {};
  if (command == "V") return finish(behaviour_.tag);
  if (isProbe(command)) {
    std::string reading;
    if (behaviour_.relief) {
      reading = std::to_string(behaviour_.relief(x_, y_));
    } else {
      reading = behaviour_.probeReadings[nextReading_];
      nextReading_ = (nextReading_ + 1) % behaviour_.probeReadings.size();
    }
    return finish(reading + "OK");
  }
  if (behaviour_.relief) followMove(command);
  return finish("T");
}

bool ControllerResponder::isProbe(std::string_view command) const {
  constexpr std::string_view kProbePrefix = "0,0,";
  return behaviour_.tag == "ST" && command.starts_with(kProbePrefix) &&
         isPositiveInteger(command.substr(kProbePrefix.size()));
}

// Every scanner command that starts with two step counts moves the probe by them: X,Y,S; of the
// walk, X,Y,Z; of the millimetre moves and X,Y,,D; of manual positioning.
void ControllerResponder::followMove(std::string_view command) {
  std::int64_t x = 0, y = 0;
  if (behaviour_.tag == "ST" && takeField(command, x) && takeField(command, y)) {
    x_ += x;
    y_ += y;
  }
}

std::string ControllerResponder::finish(std::string answer) const {
  // An empty tag stays silent even with line ends: that firmware knows no "V" at all.
  if (behaviour_.crlf && !answer.empty()) answer += "\r\n";
  return answer;
}

}  // namespace vexa::emulator
