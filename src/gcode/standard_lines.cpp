#include "gcode/standard_lines.h"

#include "gcode/gcode_number.h"

#include <charconv>
#include <cstring>

namespace vexa::gcode {

namespace {

// The most a word of a letter and a number takes, its space included.
constexpr std::size_t kWordChars = 2 + kThousandthsChars;

char* WriteWord(char* out, char letter, std::int64_t thousandths) {
  out[0] = ' ';
  out[1] = letter;
  return WriteThousandths(out + 2, thousandths);
}

std::optional<std::int64_t> InThousandths(std::optional<double> mm) {
  if (!mm) return std::nullopt;
  return Thousandths(*mm);
}

}  // namespace

void StandardLines::add(std::string_view line) {
  begin(line);
  endLine();
}

std::size_t StandardLines::begin(std::string_view word) {
  const std::size_t start = text_.size();
  text_.append(word);
  return start;
}

void StandardLines::endLine() {
  text_.append("\r\n");
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

bool StandardLines::axis(char letter, std::optional<std::int64_t> value,
                         std::optional<std::int64_t>& last) {
  if (!value || last == value) return false;
  text_.commit(WriteWord(text_.room(kWordChars), letter, *value));
  last = value;
  return true;
}

void StandardLines::move(std::string_view word, std::optional<std::int64_t> x,
                         std::optional<std::int64_t> y, std::optional<std::int64_t> z,
                         double feed) {
  const std::size_t start = begin(word);
  const bool moved = axis('X', x, lastX_) | axis('Y', y, lastY_) | axis('Z', z, lastZ_);
  if (!moved) {
    text_.truncate(start);
    return;
  }
  if (feed > 0) axis('F', Thousandths(feed), lastF_);
  endLine();
}

void StandardLines::rapid(std::optional<double> x, std::optional<double> y,
                          std::optional<double> z) {
  move("G0", InThousandths(x), InThousandths(y), InThousandths(z), 0);
}

void StandardLines::work(std::optional<double> x, std::optional<double> y,
                         std::optional<double> z, double feed) {
  move("G1", InThousandths(x), InThousandths(y), InThousandths(z), feed);
}

// Every burned pixel of a raster job passes here: the line is written in one piece.
void StandardLines::burn(const WrittenMm& x, double feed, std::int64_t power) {
  if (power_ <= 0 || power <= 0) {
    laserOn(power);
    move("G1", x.thousandths, {}, {}, feed);
    return;
  }
  if (lastX_ == x.thousandths) return;
  if (feed != burnFeed_) {
    burnFeed_ = feed;
    burnFeedThousandths_ = Thousandths(feed);
  }
  // "G1 X", the number, F, S (at most 20 digits) and CR LF.
  char* out = text_.room(4 + sizeof x.text + kWordChars + 22 + 2);
  std::memcpy(out, "G1 X", 4);
  std::memcpy(out + 4, x.text, sizeof x.text);
  out += 4 + x.length;
  lastX_ = x.thousandths;
  if (lastF_ != burnFeedThousandths_) {
    out = WriteWord(out, 'F', burnFeedThousandths_);
    lastF_ = burnFeedThousandths_;
  }
  if (power != power_) {
    out[0] = ' ';
    out[1] = 'S';
    out = std::to_chars(out + 2, out + 22, power).ptr;
    power_ = power;
  }
  out[0] = '\r';
  out[1] = '\n';
  text_.commit(out + 2);
  ++lineCount_;
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
    if (!*value) continue;
    if (!text.empty()) text += ' ';
    text += letter;
    AppendThousandths(text, **value);
  }
  return text;
}

}  // namespace vexa::gcode
