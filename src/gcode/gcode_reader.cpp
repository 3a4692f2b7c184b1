// ReadGcodeProgram: one pass over the text, a line at a time, no string made per word.

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstring>

#include "gcode/arc_chords.h"
#include "gcode/gcode_program.h"
#include "gcode/message_texts.h"

namespace vexa::gcode {

namespace {

constexpr double kMmPerInch = 25.4;
// Larger numbers are no coordinate, feed or pause of any machine; refusing them keeps the arc
// arithmetic finite.
constexpr double kLargestNumber = 1e9;
constexpr int kMostCodes = 16;  // G or M words a line may hold

// G words in tenths (G91.1 is 911).
enum GCode {
  kRapid = 0,
  kLine = 10,
  kClockwise = 20,
  kCounterClockwise = 30,
  kDwell = 40,
  kPlaneXY = 170,
  kInches = 200,
  kMillimetres = 210,
  kAbsolute = 900,
  kRelative = 910,
  kSetPosition = 920,
};

// G words that only select what this reader assumes anyway: cutter and tool-length compensation
// off, the first work offsets, path blending, no canned cycle, feed per minute, arc centres
// relative to the start. Reported, but they leave the path as read.
constexpr std::array<int, 9> kStillG{400, 490, 540, 610, 640, 641, 800, 940, 911};

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

constexpr std::array<double, 19> kPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,
                                              1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                              1e14, 1e15, 1e16, 1e17, 1e18};

// [+-] digits [. digits] with at least one digit, from text[i]; i is left after it. Written out:
// the library's readers take exponents ("1E5"), and E is a word of its own in G-code.
bool ReadNumber(std::string_view text, std::size_t& i, double& value) {
  bool negative = false, huge = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  std::uint64_t mantissa = 0;
  int digits = 0, decimals = 0;
  bool point = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) {
      // Digits past 17 significant ones, or past 18 decimals, change nothing a machine feels.
      if (mantissa < 10'000'000'000'000'000ULL && decimals < 18) {
        mantissa = mantissa * 10 + static_cast<unsigned>(c - '0');
        if (point) ++decimals;
      } else if (!point) {
        huge = true;  // refused by the caller
      }
      ++digits;
    } else if (c == '.' && !point) {
      point = true;
    } else {
      break;
    }
  }
  if (digits == 0) return false;
  if (i < text.size() && text[i] == '.') return false;  // "1.2.3"
  // Correctly rounded up to 15 significant digits: one rounding of two exact numbers.
  value = huge ? HUGE_VAL
               : static_cast<double>(mantissa) / kPowersOfTen[static_cast<std::size_t>(decimals)];
  if (negative) value = -value;
  return true;
}

// The word as written from its letter, for messages: up to the next space, comment or letter
// after its first digit, at most 24 characters.
std::string WordAt(std::string_view text, std::size_t letter) {
  std::size_t end = letter + 1;
  while (end < text.size() && end - letter < 24 && !IsSpace(text[end]) && !IsLetter(text[end]) &&
         text[end] != '(' && text[end] != ';') {
    ++end;
  }
  std::string word(text.substr(letter, end - letter));
  word[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(word[0])));
  return word;
}

// The words of one line.
struct Block {
  std::string_view text;
  std::array<double, 26> value{};
  std::array<std::uint32_t, 26> at{};  // where each letter's word begins in `text`
  std::uint32_t given = 0;             // a bit per letter
  std::array<int, kMostCodes> g{};
  std::array<int, kMostCodes> m{};
  int gCount = 0, mCount = 0;
  std::string_view comment;

  bool has(char letter) const { return given & (1u << (letter - 'A')); }
  double operator[](char letter) const { return value[static_cast<std::size_t>(letter - 'A')]; }
  std::string word(char letter) const {
    return WordAt(text, at[static_cast<std::size_t>(letter - 'A')]);
  }
};

class Reader {
 public:
  Reader(const ReadOptions& options, GcodeRead& out)
      : tolerance_(std::isfinite(options.arcTolerance) ? std::max(options.arcTolerance, 0.0001)
                                                       : ReadOptions{}.arcTolerance),
        out_(out),
        program_(out.program) {}

  // False once the file is refused (out.error set).
  bool line(std::string_view text, std::uint32_t number);
  bool ended() const { return ended_; }

 private:
  bool parse(std::string_view text, Block& block);
  bool carryOut(const Block& block);
  bool move(const Block& block, bool arc);
  bool arc(const Block& block, const double (&target)[3]);
  bool add(double x, double y, double z, bool work);
  void report(std::string word, bool moves);
  bool refuse(std::string message) {
    out_.error = LineError(line_, message);
    return false;
  }
  bool refuseWord(std::string_view text, std::size_t letter, const char* what) {
    return refuse(std::string(what) + " в слове «" + WordAt(text, letter) + "».");
  }

  double tolerance_;
  GcodeRead& out_;
  GcodeProgram& program_;
  std::uint32_t line_ = 0;

  int motion_ = kRapid;  // in force from the start, as the hobby controllers have it
  bool relative_ = false;
  double scale_ = 1;      // mm per file unit
  double feed_ = 0;       // mm/min
  double power_ = 0;      // S
  bool spindle_ = false;  // M3 or M4 in force
  int tool_ = -1;
  double at_[3] = {0, 0, 0};      // where the machine is, mm from the start
  double offset_[3] = {0, 0, 0};  // machine = file coordinate x scale + offset (G92)
  bool ended_ = false;
  std::vector<PlanePoint> chords_;  // kept between arcs
};

bool Reader::line(std::string_view text, std::uint32_t number) {
  line_ = number;
  Block block;
  block.text = text;
  return parse(text, block) && carryOut(block);
}

bool Reader::parse(std::string_view text, Block& block) {
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    if (IsSpace(c) || c == '%') {  // "%" marks the start and end of a tape
      ++i;
      continue;
    }
    if (c == '(') {
      const std::size_t close = text.find(')', i);
      const std::size_t end = close == std::string_view::npos ? text.size() : close;
      if (block.comment.empty()) block.comment = text.substr(i + 1, end - i - 1);
      i = end == text.size() ? end : end + 1;
      continue;
    }
    if (c == ';') {
      if (block.comment.empty()) block.comment = text.substr(i + 1);
      break;
    }
    if (c == '*') break;  // a checksum ends the line's words
    if (!IsLetter(c)) {
      // "#1=5", "[...]", a block delete "/": values or whole lines this reader cannot follow.
      std::size_t end = i + 1;
      while (end < text.size() && !IsSpace(text[end]) && !IsLetter(text[end])) ++end;
      report(std::string(text.substr(i, end - i)), true);
      i = end;
      continue;
    }
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::size_t at = i++;
    while (i < text.size() && IsSpace(text[i])) ++i;
    double value = 0;
    if (!ReadNumber(text, i, value)) return refuseWord(text, at, "неверное число");
    if (!(std::abs(value) <= kLargestNumber)) return refuseWord(text, at, "слишком большое число");
    switch (letter) {
      case 'G': {
        const double tenths = std::round(value * 10);
        if (std::abs(value * 10 - tenths) > 1e-6 || tenths < 0) {
          report(WordAt(text, at), true);
        } else if (block.gCount < kMostCodes) {
          block.g[static_cast<std::size_t>(block.gCount++)] = static_cast<int>(tenths);
        }
        break;
      }
      case 'M':
        if (value != std::floor(value) || value < 0) {
          report(WordAt(text, at), false);
        } else if (block.mCount < kMostCodes) {
          block.m[static_cast<std::size_t>(block.mCount++)] = static_cast<int>(value);
        }
        break;
      case 'N':
        break;  // a line number
      case 'X':
      case 'Y':
      case 'Z':
      case 'I':
      case 'J':
      case 'K':
      case 'R':
      case 'F':
      case 'S':
      case 'P':
      case 'T':
        block.value[static_cast<std::size_t>(letter - 'A')] = value;
        block.at[static_cast<std::size_t>(letter - 'A')] = static_cast<std::uint32_t>(at);
        block.given |= 1u << (letter - 'A');
        if ((letter == 'F' || letter == 'S' || letter == 'P' || letter == 'T') && value < 0) {
          return refuseWord(text, at, "недопустимое значение");
        }
        if (letter == 'T' && value != std::floor(value)) {
          return refuseWord(text, at, "недопустимое значение");
        }
        break;
      case 'A':
      case 'B':
      case 'C':
      case 'U':
      case 'V':
      case 'W':
      case 'E':
        report(WordAt(text, at), true);  // axes this machine lacks
        break;
      default:
        report(WordAt(text, at), false);
    }
  }
  return true;
}

void Reader::report(std::string word, bool moves) {
  program_.unknownMoves = program_.unknownMoves || moves;
  if (program_.unknown.size() < kMostUnknownKept) {
    program_.unknown.push_back({line_, std::move(word), moves});
  } else {
    ++program_.unknownLeftOut;
  }
}

// In the order RS-274 carries a line's words out: units and modes, feed, power, tool, spindle,
// dwell, then G92 or the move, and the program's end last.
bool Reader::carryOut(const Block& block) {
  bool dwell = false, setPosition = false;
  for (int k = 0; k < block.gCount; ++k) {
    const int g = block.g[static_cast<std::size_t>(k)];
    switch (g) {
      case kRapid:
      case kLine:
      case kClockwise:
      case kCounterClockwise:
        motion_ = g;
        break;
      case kDwell:
        dwell = true;
        break;
      case kPlaneXY:
        break;
      case kInches:
        scale_ = kMmPerInch;
        break;
      case kMillimetres:
        scale_ = 1;
        break;
      case kAbsolute:
        relative_ = false;
        break;
      case kRelative:
        relative_ = true;
        break;
      case kSetPosition:
        setPosition = true;
        break;
      default: {
        const bool still = std::find(kStillG.begin(), kStillG.end(), g) != kStillG.end();
        report(g % 10 == 0 ? "G" + std::to_string(g / 10)
                           : "G" + std::to_string(g / 10) + "." + std::to_string(g % 10),
               !still);
      }
    }
  }
  if (block.has('F')) feed_ = block['F'] * scale_;
  if (block.has('S')) power_ = block['S'];
  bool toolChange = block.has('T');
  if (toolChange) tool_ = static_cast<int>(block['T']);
  bool end = false;
  for (int k = 0; k < block.mCount; ++k) {
    switch (const int m = block.m[static_cast<std::size_t>(k)]) {
      case 2:
      case 30:
        end = true;
        break;
      case 3:
      case 4:
        spindle_ = true;
        break;
      case 5:
        spindle_ = false;
        break;
      case 6:
        toolChange = true;
        break;
      default:
        report("M" + std::to_string(m), false);
    }
  }
  if (toolChange) {
    // "T2" on one line and "M6" on the next are one change.
    const bool same = !program_.pauses.empty() &&
                      program_.pauses.back().kind == PauseKind::ToolChange &&
                      program_.pauses.back().tool == tool_ &&
                      program_.pauses.back().beforeSegment == program_.segments.size();
    if (!same) {
      program_.pauses.push_back({PauseKind::ToolChange, 0, tool_, line_, program_.segments.size(),
                                 std::string(block.comment)});
    }
  }
  // G4 P is seconds, as the hobby controllers read it (some firmwares take milliseconds).
  if (dwell && block.has('P') && block['P'] > 0) {
    program_.pauses.push_back(
        {PauseKind::Dwell, block['P'], tool_, line_, program_.segments.size(), {}});
  } else if (!dwell && block.has('P')) {
    report(block.word('P'), false);
  }
  const bool axes = block.has('X') || block.has('Y') || block.has('Z');
  const bool arc = motion_ == kClockwise || motion_ == kCounterClockwise;
  if (setPosition) {
    const char letters[3] = {'X', 'Y', 'Z'};
    for (int a = 0; a < 3; ++a) {
      if (block.has(letters[a])) offset_[a] = at_[a] - block[letters[a]] * scale_;
    }
  } else if (axes || (arc && (block.has('I') || block.has('J') || block.has('R')))) {
    if (!move(block, arc)) return false;
  }
  const bool centreUsed =
      arc && !setPosition && (axes || block.has('I') || block.has('J') || block.has('R'));
  for (char letter : {'I', 'J', 'R', 'K'}) {
    // K would be the centre of arcs in the other planes.
    if (block.has(letter) && (letter == 'K' || !centreUsed)) report(block.word(letter), false);
  }
  if (end) ended_ = true;
  return true;
}

bool Reader::move(const Block& block, bool arc) {
  const char letters[3] = {'X', 'Y', 'Z'};
  double target[3];
  for (int a = 0; a < 3; ++a) {
    if (!block.has(letters[a])) {
      target[a] = at_[a];
    } else {
      const double value = block[letters[a]] * scale_;
      target[a] = relative_ ? at_[a] + value : value + offset_[a];
    }
  }
  if (arc) return this->arc(block, target);
  return add(target[0], target[1], target[2], motion_ != kRapid);
}

bool Reader::arc(const Block& block, const double (&target)[3]) {
  const bool clockwise = motion_ == kClockwise;
  const PlanePoint start{at_[0], at_[1]}, end{target[0], target[1]};
  PlanePoint centre;
  if (block.has('R')) {
    switch (CentreOfRadius(start, end, block['R'] * scale_, clockwise, centre)) {
      case ArcFit::NoEnd:
        return refuse("дуга с радиусом R кончается там, где начинается: такая дуга не задана.");
      case ArcFit::RadiusTooShort:
        return refuse("дуга радиусом " + NumberText(std::abs(block['R'] * scale_), 3) +
                      " мм не достаёт до конечной точки (до неё " +
                      NumberText(std::hypot(end.x - start.x, end.y - start.y), 3) + " мм).");
      default:
        break;
    }
  } else if (block.has('I') || block.has('J')) {
    centre = {start.x + (block.has('I') ? block['I'] * scale_ : 0),
              start.y + (block.has('J') ? block['J'] * scale_ : 0)};
    if (CheckCentre(start, end, centre) != ArcFit::Fits) {
      const double r1 = std::hypot(start.x - centre.x, start.y - centre.y);
      const double r2 = std::hypot(end.x - centre.x, end.y - centre.y);
      return refuse("радиус дуги в начале " + NumberText(r1, 3) + " мм, в конце " +
                    NumberText(r2, 3) + " мм: конечная точка не лежит на дуге (допуск " +
                    NumberText(kArcRadiusSlackMm, 3) + " мм или " +
                    NumberText(kArcRadiusSlackShare * 100, 1) + " % радиуса).");
    }
  } else {
    return refuse("дуга без центра (I, J) и без радиуса (R).");
  }
  const double radius = std::max(std::hypot(start.x - centre.x, start.y - centre.y),
                                 std::hypot(end.x - centre.x, end.y - centre.y));
  const std::size_t chords =
      ChordCount(ArcSweep(start, end, centre, clockwise), radius, tolerance_);
  if (chords > kMostSegments - program_.segments.size()) {
    return refuse("дуга радиусом " + NumberText(radius, 3) +
                  " мм распадается на слишком много отрезков.");
  }
  ArcChords(start, end, centre, clockwise, chords, chords_);
  const double z0 = at_[2];
  const double n = static_cast<double>(chords_.size());
  for (std::size_t k = 0; k < chords_.size(); ++k) {
    // A helix: Z goes evenly along the turn.
    const double z = k + 1 == chords_.size()
                         ? target[2]
                         : z0 + (target[2] - z0) * static_cast<double>(k + 1) / n;
    if (!add(chords_[k].x, chords_[k].y, z, true)) return false;
  }
  return true;
}

bool Reader::add(double x, double y, double z, bool work) {
  if (x == at_[0] && y == at_[1] && z == at_[2]) return true;
  if (program_.segments.size() >= kMostSegments) {
    return refuse("в файле больше " + std::to_string(kMostSegments) +
                  " отрезков пути: такой файл не выполняется.");
  }
  Segment segment;
  segment.x = x;
  segment.y = y;
  segment.z = z;
  segment.feed = work ? static_cast<float>(feed_) : 0.0f;
  segment.line = line_;
  segment.work = work;
  segment.laser = spindle_ && power_ > 0;
  program_.segments.push_back(segment);
  Extent& e = program_.extent;
  e.minX = std::min(e.minX, x);
  e.maxX = std::max(e.maxX, x);
  e.minY = std::min(e.minY, y);
  e.maxY = std::max(e.maxY, y);
  e.minZ = std::min(e.minZ, z);
  e.maxZ = std::max(e.maxZ, z);
  at_[0] = x;
  at_[1] = y;
  at_[2] = z;
  return true;
}

}  // namespace

GcodeRead ReadGcodeProgram(std::string_view text, ReadOptions options) {
  GcodeRead out;
  if (text.size() > kMostGcodeBytes) {
    out.error = GcodeError{0, "Файл больше 50 МБ: такой файл не открывается."};
    return out;
  }
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);  // a byte order mark
  Reader reader(options, out);
  std::uint32_t number = 0;
  std::size_t at = 0;
  while (at < text.size()) {
    if (++number > kMostGcodeLines) {
      out.error = GcodeError{0, "В файле больше 5 000 000 строк: такой файл не открывается."};
      return out;
    }
    const char* found =
        static_cast<const char*>(std::memchr(text.data() + at, '\n', text.size() - at));
    const std::size_t end = found ? static_cast<std::size_t>(found - text.data()) : text.size();
    // Lines after M2 or M30 are not run; they still count.
    if (!reader.ended() && !reader.line(text.substr(at, end - at), number)) return out;
    at = end + 1;
  }
  out.program.lines = number;
  // Kept as long as the file is open: not with the room its growth left (up to half again).
  out.program.segments.shrink_to_fit();
  return out;
}

}  // namespace vexa::gcode
