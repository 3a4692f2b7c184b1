#include "gcode/standard_lines.h"

#include "gcode/gcode_number.h"

#include <charconv>

namespace vexa::gcode {

void StandardLines::add(std::string_view line) {
  begin(line);
  ++lineCount_;
}

std::size_t StandardLines::begin(std::string_view word) {
  const std::size_t start = text_.size();
  if (!text_.empty()) text_ += "\r\n";
  text_ += word;
  return start;
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

bool StandardLines::axis(char letter, std::optional<double> value,
                         std::optional<std::int64_t>& last) {
  if (!value) return false;
  const std::int64_t thousandths = Thousandths(*value);
  if (last == thousandths) return false;
  text_ += ' ';
  text_ += letter;
  AppendThousandths(text_, thousandths);
  last = thousandths;
  return true;
}

void StandardLines::move(std::string_view word, std::optional<double> x, std::optional<double> y,
                         std::optional<double> z, double feed) {
  const std::size_t start = begin(word);
  const bool moved = axis('X', x, lastX_) | axis('Y', y, lastY_) | axis('Z', z, lastZ_);
  if (!moved) {
    text_.resize(start);
    return;
  }
  if (feed > 0) axis('F', feed, lastF_);
  ++lineCount_;
}

void StandardLines::rapid(std::optional<double> x, std::optional<double> y,
                          std::optional<double> z) {
  move("G0", x, y, z, 0);
}

void StandardLines::work(std::optional<double> x, std::optional<double> y,
                         std::optional<double> z, double feed) {
  move("G1", x, y, z, feed);
}

void StandardLines::burn(double x, double feed, std::int64_t power) {
  if (power_ <= 0 || power <= 0) {
    laserOn(power);
    work(x, {}, {}, feed);
    return;
  }
  const std::size_t start = begin("G1");
  if (!axis('X', x, lastX_)) {
    text_.resize(start);
    return;
  }
  axis('F', feed, lastF_);
  if (power != power_) {
    text_ += " S";
    char digits[24];
    text_.append(digits, std::to_chars(digits, digits + sizeof digits, power).ptr);
    power_ = power;
  }
  ++lineCount_;
}

void StandardLines::laserOn(std::int64_t power) {
  if (power <= 0) return laserOff();
  if (power == power_) return;
  begin("M4 S");
  text_ += std::to_string(power);
  ++lineCount_;
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
    if (!*value) continue;
    if (!text.empty()) text += ' ';
    text += letter;
    AppendThousandths(text, **value);
  }
  return text;
}

std::string StandardLines::take() {
  std::string text;
  // The next lines go into a buffer of the size the last ones needed: no regrowing and copying.
  text.reserve(text_.capacity());
  text.swap(text_);
  return text;
}

}  // namespace vexa::gcode
