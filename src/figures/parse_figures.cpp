#include "figures/parse_figures.h"

#include <algorithm>
#include <bit>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "figures/figure_labels.h"
#include "figures/figure_link_recorder.h"

namespace vexa::figures {

namespace {

constexpr int kStep = picture::PixelBuffer::kBytesPerPixel;

// The class bits (1 light) of `count` pixels (at most 64) from `blue`, the first one's blue byte.
std::uint64_t LightBits(const std::uint8_t* blue, int count) {
  std::uint64_t bits = 0;
  int i = 0;
#if defined(__SSE2__)
  // 16 pixels are 48 bytes: compare every byte, keep every third bit (the blue bytes).
  const __m128i lightFrom = _mm_set1_epi8(static_cast<char>(kDarkUpTo + 1));
  auto isLight = [&](const std::uint8_t* p) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    return static_cast<std::uint64_t>(static_cast<std::uint16_t>(
        _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_max_epu8(bytes, lightFrom), bytes))));
  };
  for (; i + 16 <= count; i += 16) {
    const std::uint8_t* p = blue + i * kStep;
    std::uint64_t x = isLight(p) | isLight(p + 16) << 16 | isLight(p + 32) << 32;
    x &= 0x249249249249ull;
    x = (x ^ (x >> 2)) & 0x0c30c30c30c3ull;
    x = (x ^ (x >> 4)) & 0x00f00f00f00full;
    x = (x ^ (x >> 8)) & 0x0000ff0000ffull;
    x = (x ^ (x >> 16)) & 0x00000000ffffull;
    bits |= x << i;
  }
#endif
  for (; i < count; ++i) bits |= std::uint64_t{blue[i * kStep] > kDarkUpTo} << i;
  return bits;
}

// Each row's runs are kept as x of their first pixel, followed by kEndMarks entries at x width + 1:
// a run ends where the next entry starts, and stepping over the runs two at a time (one class)
// stops at an end mark without counting. Classes alternate from the row's first run.
constexpr int kEndMarks = 2;

class RowView {
 public:
  RowView(const ParseScratch& scratch, int first, int end, bool firstLight)
      : start_(scratch.runStart.data()),
        first_(first),
        end_(end),
        lightParity_((first & 1) ^ (firstLight ? 0 : 1)) {}

  int first() const { return first_; }
  int end() const { return end_; }  // the first end mark
  const std::int32_t* starts() const { return start_; }
  bool isLight(int run) const { return (run & 1) == lightParity_; }
  // 0 when runs `run` of this row and `other` of `row` are of one class, else 1.
  int classDiffers(int run, const RowView& row, int other) const {
    return (run ^ other ^ lightParity_ ^ row.lightParity_) & 1;
  }

 private:
  const std::int32_t* start_;
  int first_;
  int end_;
  int lightParity_;  // the parity of the light runs' entries
};

// Appends row `y`'s runs and end marks, 64 pixels at a time: a bit per pixel's class, the class
// changes are the bits that differ from their left neighbour. Returns the first run's class.
bool SplitRow(const picture::PixelBuffer& picture, int y, ParseScratch& scratch) {
  const int width = picture.width();
  const std::size_t room = static_cast<std::size_t>(scratch.runCount) + width + kEndMarks;
  if (scratch.runStart.size() < room) {
    const std::size_t grown = std::max(room, scratch.runStart.size() * 2);
    scratch.runStart.resize(grown);
    scratch.runLabel.resize(grown);
  }
  std::int32_t* out = scratch.runStart.data() + scratch.runCount;
  const std::uint8_t* blue = picture.row(y);
  const bool firstLight = blue[0] > kDarkUpTo;
  *out++ = 1;
  std::uint64_t previousBit = firstLight ? 1 : 0;
  for (int x0 = 0; x0 < width; x0 += 64) {
    const int n = std::min(64, width - x0);
    const std::uint64_t bits = LightBits(blue + x0 * kStep, n);
    std::uint64_t changes = bits ^ (bits << 1 | previousBit);
    if (n < 64) changes &= (std::uint64_t{1} << n) - 1;
    previousBit = bits >> (n - 1) & 1;
    while (changes != 0) {
      *out++ = x0 + std::countr_zero(changes) + 1;
      changes &= changes - 1;
    }
  }
  for (int i = 0; i < kEndMarks; ++i) *out++ = width + 1;
  scratch.runCount = static_cast<int>(out - scratch.runStart.data());
  return firstLight;
}

// The plain method's events inside a run are few and fall in a fixed order: its first pixel
// takes a number (from the cell above, else the upper-left cell, else a new one), and each later
// pixel under a same-class upper run the run is not yet joined to merges the run's figure into
// that run's. Replaying those events run by run, left to right, hands out and frees the numbers
// in the very order the pixel scan does.
void JoinUpperRow(const RowView& upper, const RowView& row, std::int32_t* label, int frameLabel,
                  FigureLabels& labels) {
  const std::int32_t* start = row.starts();
  int run = row.first();
  int j = upper.first();  // the upper run holding the upper-left cell of the current run's start
  if (row.isLight(run)) {
    // The left neighbour is the frame: the run starts in the frame's figure and merges with
    // every light run above it, the one above its first pixel included.
    const int last = start[run + 1] - 1;
    int current = frameLabel;
    for (int k = j + upper.classDiffers(j, row, run); start[k] <= last; k += 2) {
      if (label[k] != current) current = labels.MergeFigures(current, label[k]);
    }
    label[run++] = current;
  }
  for (; run < row.end(); ++run) {
    const int a = start[run];
    const int last = start[run + 1] - 1;
    // Upper runs ending before the upper-left cell of pixel a are passed (at a = 1, the frame
    // cell, j stays on the first run, above pixel 1).
    while (start[j + 1] < a) ++j;
    // The same-class run among the one holding the upper-left cell and the next.
    int k = j + upper.classDiffers(j, row, run);
    int current;
    if (start[k] <= a) {
      current = label[k];  // the cell above pixel a, or its upper-left cell
      k += 2;
    } else {
      current = labels.AllocateFigure(row.isLight(run) ? kLight : kDark);
    }
    for (; start[k] <= last; k += 2) {
      if (label[k] != current) current = labels.MergeFigures(current, label[k]);
    }
    label[run] = current;
  }
}

// Row 1 lies under the frame row: light runs take the frame's figure, dark ones are new.
void JoinFrameRow(const RowView& row, std::int32_t* label, int frameLabel, FigureLabels& labels) {
  for (int run = row.first(); run < row.end(); ++run) {
    label[run] = row.isLight(run) ? frameLabel : labels.AllocateFigure(kDark);
  }
}

// Cells first to last (at least one) get `value`, four at a time: up to three cells past `last`
// are written too, which the next run or the frame overwrites afterwards. The map always has
// them: the frame cell and the next row follow every row.
void FillCells(std::int32_t* cells, int first, int last, std::int32_t value) {
#if defined(__SSE2__)
  const __m128i four = _mm_set1_epi32(value);
  for (int x = first; x <= last; x += 4) {
    _mm_storeu_si128(reinterpret_cast<__m128i*>(cells + x), four);
  }
#else
  for (int x = first; x <= last; x += 4) {
    cells[x] = cells[x + 1] = cells[x + 2] = cells[x + 3] = value;
  }
#endif
}

}  // namespace

void ParseFigures(const picture::PixelBuffer& working, FigureData& data) {
  const int width = working.width();
  const int height = working.height();
  ParseScratch& scratch = data.scratch;
  FigureTable& table = data.table;
  table.reset();
  FigureLabels labels(table, scratch.labels);
  const int frameLabel = labels.AllocateFigure(kLight);

  scratch.runCount = 0;
  scratch.rowFirstRun.assign(1, 0);
  bool upperFirstLight = true;
  for (int y = 1; y <= height; ++y) {
    const int first = scratch.runCount;
    const bool firstLight = SplitRow(working, y, scratch);
    scratch.rowFirstRun.push_back(scratch.runCount);
    const RowView row(scratch, first, scratch.runCount - kEndMarks, firstLight);
    labels.reserve(row.end() - row.first());
    std::int32_t* label = scratch.runLabel.data();
    if (y == 1) {
      JoinFrameRow(row, label, frameLabel, labels);
    } else {
      const RowView upper(scratch, scratch.rowFirstRun[y - 2], first - kEndMarks, upperFirstLight);
      JoinUpperRow(upper, row, label, frameLabel, labels);
    }
    upperFirstLight = firstLight;
  }

  BlockVector<std::int32_t>& number = scratch.finalNumber;
  number.resize(static_cast<std::size_t>(labels.labelCount()));
  for (int label = 0; label < labels.labelCount(); ++label) {
    number[label] = labels.figureNumber(label);
  }

  // The map and the touching pairs in one sweep of the runs.
  const std::int32_t frameNumber = number[frameLabel];
  FigureMap& map = data.map;
  map.resize(width, height, false);
  data.links.reset();
  FigureLinkRecorder recorder(data.links, scratch.links, table.length());
  const std::int32_t* runStart = scratch.runStart.data();
  const std::int32_t* runLabel = scratch.runLabel.data();
  const std::int32_t* numberOf = number.data();  // held here: the map's stores might alias it
  std::fill_n(map.row(0), map.rowLength(), frameNumber);
  scratch.rowPairs.resize(static_cast<std::size_t>(width));  // a pair per run but the row's last
  for (int y = 1; y <= height; ++y) {
    std::int32_t* cells = map.row(y);
    const int first = scratch.rowFirstRun[y - 1];
    const int last = scratch.rowFirstRun[y] - kEndMarks - 1;
    std::int32_t previous = numberOf[runLabel[first]];
    // A run between two runs of one figure (a dot on a background, stripes) meets the same pair
    // on its right as on its left: only its left side is recorded. Which side that is varies
    // run by run on a dithered picture: the pairs are gathered without a jump, then recorded.
    std::int32_t beforePrevious = 0;
    FigureLink* pairs = scratch.rowPairs.data();
    std::size_t pairCount = 0;
    for (int run = first; run < last; ++run) {
      FillCells(cells, runStart[run], runStart[run + 1] - 1, previous);
      const std::int32_t current = numberOf[runLabel[run + 1]];
      pairs[pairCount] = FigureLink{current, previous};
      pairCount += current != beforePrevious;
      beforePrevious = previous;
      previous = current;
    }
    FillCells(cells, runStart[last], width, previous);
    recorder.AddLinks({pairs, pairCount});
    cells[0] = frameNumber;
    cells[width + 1] = frameNumber;
  }
  std::fill_n(map.row(height + 1), map.rowLength(), frameNumber);

  BuildFigureTree(data.links, data.table, data.tree, data.table.length());
}

}  // namespace vexa::figures
