#pragma once
// A CAM program's G-code read into the motion it asks for: straight segments in absolute
// millimetres from where the machine stands when the file starts (0, 0, 0), arcs already cut
// into chords, the pauses in order, and every word the reader does not carry out.
//
// The subset is what hobby CAM programs write: G0 G1 G2 G3 (I J or R, XY plane) G4 G17 G20 G21
// G90 G91 G92, F S T, M2 M3 M4 M5 M6 M30, comments "( )" and ";", N line numbers, "*" checksums,
// "%" tape marks, CR LF or LF, either case, words with or without spaces between them.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vexa::gcode {

// One straight move; it starts where the one before it ends (the first at the origin).
// 32 bytes: a million-line file with arcs makes a few million of them.
struct Segment {
  double x = 0, y = 0, z = 0;   // the end, mm
  float feed = 0;               // mm/min (inches already converted); 0: none given yet
  std::uint32_t line : 29 = 0;  // 1-based line of the file
  std::uint32_t work : 1 = 0;   // G1 G2 G3; else G0 travel
  std::uint32_t laser : 1 = 0;  // M3/M4 in force with S > 0 (the cutter's spindle for a mill)
};

enum class PauseKind { Dwell, ToolChange };

// G4, or a tool change (T, M6): the machine waits before the segment `beforeSegment`.
struct Pause {
  PauseKind kind = PauseKind::Dwell;
  double seconds = 0;  // a dwell's length
  int tool = -1;       // the T word in force; -1 none given
  std::uint32_t line = 0;
  std::size_t beforeSegment = 0;
  std::string comment;  // the line's first comment, as CAM names the tool there
};

// A word the reader does not carry out. `moves`: carrying it out could move the machine or
// change where the moves go (unknown G words, axes A B C U V W E, "#" parameters); the others
// (coolant M7 M8 M9, other M words, letters such as D H O Q) leave the path as read.
struct UnknownWord {
  std::uint32_t line = 0;
  std::string word;
  bool moves = false;
};

struct Extent {
  double minX = 0, minY = 0, minZ = 0;
  double maxX = 0, maxY = 0, maxZ = 0;
};

struct GcodeError {
  std::uint32_t line = 0;  // 0: the file as a whole
  std::string message;     // shown as it is
};

struct GcodeProgram {
  std::vector<Segment> segments;
  std::vector<Pause> pauses;  // in file order
  // The first kMostUnknownKept in file order; `unknownLeftOut` counts the rest, and
  // `unknownMoves` covers them all.
  std::vector<UnknownWord> unknown;
  std::size_t unknownLeftOut = 0;
  bool unknownMoves = false;
  Extent extent;            // of the origin and every segment's end
  std::uint32_t lines = 0;  // lines of the file, those after M2/M30 included
};

struct ReadOptions {
  double arcTolerance = 0.01;  // mm a chord may stray from its arc (at least 0.0001)
};

struct GcodeRead {
  GcodeProgram program;
  std::optional<GcodeError> error;  // set: the file cannot be run, `program` is partial
};

inline constexpr std::size_t kMostGcodeBytes = 50u << 20;  // 50 MB
inline constexpr std::uint32_t kMostGcodeLines = 5'000'000;
inline constexpr std::size_t kMostSegments = 30'000'000;  // ~1 GB of segments
inline constexpr std::size_t kMostUnknownKept = 1000;

// An arc whose two radii (start and end to the centre) differ by more than the larger of these
// is refused, as is an R too short for its end point by more: CAM programs write coordinates
// to three or four decimals, so an honest arc is never that far off.
inline constexpr double kArcRadiusSlackMm = 0.005;
inline constexpr double kArcRadiusSlackShare = 0.001;

GcodeRead ReadGcodeProgram(std::string_view text, ReadOptions options = {});

// "Смена инструмента: T2 (фреза 3 мм), строка 15." for a tool change, "Пауза 1,5 с, строка 9."
// for a dwell.
std::string PauseText(const Pause& pause);

// The unknown words as one list for one message box, a line per word with the lines it is on:
// "G28 (перемещает станок): строки 7, 19". Empty when there are none.
std::string UnknownWordsText(const GcodeProgram& program);

}  // namespace vexa::gcode
