#include "cutting/smooth_lines.h"

#include <bit>
#include <vector>

namespace vexa::cutting {

namespace {

// The picture's pure black (blue 0) and pure white (blue 255) pixels as bit rows, 64 columns to
// a word, so one pattern cell is tested for 64 window origins at once.
class LevelPlanes {
 public:
  explicit LevelPlanes(const picture::PixelBuffer& picture)
      : words_((picture.width() + 63) / 64 + 1),  // one spare word for reads across the end
        black_(static_cast<std::size_t>(words_) * picture.height(), 0),
        white_(black_.size(), 0) {
    for (int y = 1; y <= picture.height(); ++y) {
      const std::uint8_t* p = picture.row(y);
      for (int x = 1; x <= picture.width(); ++x, p += 3) {
        if (p[0] == 0) setBit(black_, x, y);
        if (p[0] == 255) setBit(white_, x, y);
      }
    }
  }

  // 64 bits of row y from column x on (bit i for column x + i).
  std::uint64_t black(int x, int y) const { return bits(black_, x, y); }
  std::uint64_t white(int x, int y) const { return bits(white_, x, y); }

  void setBlack(int x, int y, bool isBlack) {
    if (isBlack) {
      setBit(black_, x, y);
      clearBit(white_, x, y);
    } else {
      setBit(white_, x, y);
      clearBit(black_, x, y);
    }
  }

 private:
  std::size_t word(int x, int y) const {
    return static_cast<std::size_t>(y - 1) * words_ + static_cast<std::size_t>((x - 1) >> 6);
  }
  void setBit(std::vector<std::uint64_t>& plane, int x, int y) {
    plane[word(x, y)] |= std::uint64_t{1} << ((x - 1) & 63);
  }
  void clearBit(std::vector<std::uint64_t>& plane, int x, int y) {
    plane[word(x, y)] &= ~(std::uint64_t{1} << ((x - 1) & 63));
  }
  std::uint64_t bits(const std::vector<std::uint64_t>& plane, int x, int y) const {
    const std::size_t w = word(x, y);
    const int shift = (x - 1) & 63;
    if (shift == 0) return plane[w];
    return (plane[w] >> shift) | (plane[w + 1] << (64 - shift));
  }

  int words_;
  std::vector<std::uint64_t> black_;
  std::vector<std::uint64_t> white_;
};

struct Cell {
  int r, c;
  bool black;
};

// One oriented pair over the picture in reading order.
void scanWindows(picture::PixelBuffer& picture, LevelPlanes& planes, const Pattern& before,
                 const Pattern& after, OperationRun& run) {
  const int n = before.size();
  const int lastX = picture.width() - n + 1;
  const int lastY = picture.height() - n + 1;
  // The black cells first: on the white around thin lines they fail soonest.
  std::vector<Cell> cells;
  for (bool black : {true, false}) {
    for (int r = 1; r <= n; ++r) {
      for (int c = 1; c <= n; ++c) {
        if (before.at(r, c) == black) cells.push_back({r, c, black});
      }
    }
  }
  // Origins x, x + 1, ... x + 63 at once: those no cell contradicts.
  auto fitting = [&](int x, int y, std::uint64_t candidates) {
    for (const Cell& cell : cells) {
      const int cx = x + cell.c - 1;
      const int cy = y + cell.r - 1;
      candidates &= ~(cell.black ? planes.white(cx, cy) : planes.black(cx, cy));
      if (candidates == 0) break;
    }
    return candidates;
  };
  auto write = [&](int x, int y) {
    for (int r = 1; r <= n; ++r) {
      for (int c = 1; c <= n; ++c) {
        const bool black = after.at(r, c);
        const std::uint8_t level = black ? 0 : 255;
        picture.setColor(x + c - 1, y + r - 1, level, level, level);
        planes.setBlack(x + c - 1, y + r - 1, black);
      }
    }
  };
  for (int y = 2; y <= lastY; ++y) {
    for (int x = 2; x <= lastX; x += 64) {
      run.tick();
      const int origins = lastX - x + 1 < 64 ? lastX - x + 1 : 64;
      std::uint64_t open = origins == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << origins) - 1;
      // A window written changes what the origins after it see: they are tested again.
      while (const std::uint64_t found = fitting(x, y, open)) {
        const int first = std::countr_zero(found);
        write(x + first, y);
        open &= first == 63 ? 0 : ~((std::uint64_t{2} << first) - 1);
      }
    }
  }
}

void applyPattern(picture::PixelBuffer& working, LevelPlanes& planes, std::int32_t pass,
                  const Pattern& before, const Pattern& after, const OperationDisplay& display) {
  OperationRun run(display, StatusText("SM", pass));
  const int n = before.size();
  if (working.width() > n && working.height() > n) {
    std::vector<Pattern> tried;
    for (int orientation = 1; orientation <= 8; ++orientation) {
      Pattern oriented = OrientPattern(before, orientation);
      bool seen = false;
      for (const Pattern& earlier : tried) seen = seen || earlier == oriented;
      if (seen) continue;  // a symmetric pattern: this orientation would repeat an earlier one
      tried.push_back(oriented);
      scanWindows(working, planes, oriented, OrientPattern(after, orientation), run);
      run.progress(orientation * 100 / 8);
    }
  }
  run.finish();
}

}  // namespace

void ApplyPattern(picture::PixelBuffer& working, std::int32_t pass, const Pattern& before,
                  const Pattern& after, const OperationDisplay& display) {
  LevelPlanes planes(working);
  applyPattern(working, planes, pass, before, after, display);
}

void SmoothLines(picture::PixelBuffer& working, const OperationDisplay& display) {
  // The planes follow every write, so the five pairs share them.
  LevelPlanes planes(working);
  std::int32_t pass = 1;
  for (const PatternPair& pair : SmoothingPairs()) {
    applyPattern(working, planes, pass++, pair.before, pair.after, display);
  }
}

}  // namespace vexa::cutting
