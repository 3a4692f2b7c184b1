#include "gcode/standard_lines.h"

#include "gcode/gcode_number.h"

namespace vexa::gcode {

void StandardLines::add(std::string line) {
  if (!text_.empty()) text_ += "\r\n";
  text_ += line;
  ++lineCount_;
}

void StandardLines::header(std::string_view text) {
  add("G21");
  add("G90");
  comment(text);
}

void StandardLines::comment(std::string_view text) {
  std::string line = "(";
  for (char c : text) {
    if (c == '(') c = '[';
    if (c == ')') c = ']';
    if (c == '\r' || c == '\n') c = ' ';
    line += c;
  }
  add(line + ")");
}

bool StandardLines::axis(std::string& line, char letter, std::optional<double> value,
                         std::string& last) {
  if (!value) return false;
  std::string text = FormatMm(*value);
  if (text == last) return false;
  line += ' ';
  line += letter;
  line += text;
  last = std::move(text);
  return true;
}

void StandardLines::rapid(std::optional<double> x, std::optional<double> y,
                          std::optional<double> z) {
  std::string line = "G0";
  const bool moved = axis(line, 'X', x, lastX_) | axis(line, 'Y', y, lastY_) |
                     axis(line, 'Z', z, lastZ_);
  if (moved) add(line);
}

void StandardLines::work(std::optional<double> x, std::optional<double> y,
                         std::optional<double> z, double feed) {
  std::string line = "G1";
  const bool moved = axis(line, 'X', x, lastX_) | axis(line, 'Y', y, lastY_) |
                     axis(line, 'Z', z, lastZ_);
  if (!moved) return;
  if (feed > 0) {
    std::string text = FormatMm(feed);
    if (text != lastF_) {
      line += " F" + text;
      lastF_ = std::move(text);
    }
  }
  add(line);
}

void StandardLines::laserOn(std::int64_t power) {
  if (power <= 0) return laserOff();
  if (power == power_) return;
  add("M4 S" + std::to_string(power));
  power_ = power;
}

void StandardLines::laserOff(bool always) {
  if (power_ <= 0 && !always) return;
  add("M5");
  power_ = 0;
}

void StandardLines::end() {
  laserOff();
  add("M2");
}

std::string StandardLines::position() const {
  std::string text;
  for (const auto& [letter, value] : {std::pair{'X', &lastX_}, {'Y', &lastY_}, {'Z', &lastZ_}}) {
    if (value->empty()) continue;
    if (!text.empty()) text += ' ';
    text += letter;
    text += *value;
  }
  return text;
}

std::string StandardLines::take() {
  std::string text;
  text.swap(text_);
  return text;
}

}  // namespace vexa::gcode
