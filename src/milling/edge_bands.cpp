#include "milling/edge_bands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

#include "figures/disc_chords.h"

namespace vexa::milling {

namespace {

// Maxima and minima of one picture row over runs of 2^k pixels starting at each x.
class RowRuns {
 public:
  void build(const std::uint8_t* gray, int width, int levels) {
    width_ = width;
    maxima_.resize(std::size_t(levels) * width);
    minima_.resize(std::size_t(levels) * width);
    std::copy_n(gray, width, maxima_.begin());
    std::copy_n(gray, width, minima_.begin());
    for (int k = 1; k < levels; ++k) {
      const int half = 1 << (k - 1);
      const std::uint8_t* lowMax = &maxima_[std::size_t(k - 1) * width];
      const std::uint8_t* lowMin = &minima_[std::size_t(k - 1) * width];
      std::uint8_t* max = &maxima_[std::size_t(k) * width];
      std::uint8_t* min = &minima_[std::size_t(k) * width];
      for (int x = 0; x + (1 << k) <= width; ++x) {
        max[x] = std::max(lowMax[x], lowMax[x + half]);
        min[x] = std::min(lowMin[x], lowMin[x + half]);
      }
    }
  }
  const std::uint8_t* maxima(int k) const { return &maxima_[std::size_t(k) * width_]; }
  const std::uint8_t* minima(int k) const { return &minima_[std::size_t(k) * width_]; }

 private:
  int width_ = 0;
  std::vector<std::uint8_t> maxima_, minima_;
};

// The loops over whole rows also get a version for the wider vectors of the processor the
// program runs on, where the build and the system can choose one at start.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__) && defined(__linux__)
#define VEXA_ROW_LOOP __attribute__((target_clones("avx2", "default")))
#define VEXA_HAVE_SSSE3_PATH 1
#else
#define VEXA_ROW_LOOP
#endif

// The blue bytes of a row of pixels, scalar: the vectoriser's gather of every third byte through
// the stack costs more than the plain loads.
#if defined(__GNUC__) && !defined(__clang__)
__attribute__((optimize("no-tree-vectorize")))
#endif
void blueBytesPlain(const std::uint8_t* pixels, int width, std::uint8_t* blue) {
  for (int x = 0; x < width; ++x) blue[x] = pixels[std::size_t(x) * 3];
}

#ifdef VEXA_HAVE_SSSE3_PATH
// Sixteen pixels (48 bytes) at a time, each of the three loads shuffled into its share of the
// sixteen blue bytes.
__attribute__((target("ssse3"))) void blueBytesShuffled(const std::uint8_t* pixels, int width,
                                                      std::uint8_t* blue) {
  const __m128i fromFirst = _mm_setr_epi8(0, 3, 6, 9, 12, 15, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                                          -1);
  const __m128i fromSecond = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, 2, 5, 8, 11, 14, -1, -1, -1,
                                           -1, -1);
  const __m128i fromThird = _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, 1, 4, 7,
                                          10, 13);
  int x = 0;
  for (; x + 16 <= width; x += 16) {
    const std::uint8_t* p = pixels + std::size_t(x) * 3;
    const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 32));
    const __m128i levels = _mm_or_si128(
        _mm_or_si128(_mm_shuffle_epi8(a, fromFirst), _mm_shuffle_epi8(b, fromSecond)),
        _mm_shuffle_epi8(c, fromThird));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(blue + x), levels);
  }
  blueBytesPlain(pixels + std::size_t(x) * 3, width - x, blue + x);
}
#endif

void blueBytes(const std::uint8_t* pixels, int width, std::uint8_t* blue) {
#ifdef VEXA_HAVE_SSSE3_PATH
  static const bool shuffles = __builtin_cpu_supports("ssse3");
  if (shuffles) return blueBytesShuffled(pixels, width, blue);
#endif
  blueBytesPlain(pixels, width, blue);
}

// The chord's extremes from its two runs, folded into the disc's so far (`first`: the first
// chord starts them).
VEXA_ROW_LOOP void foldChord(std::uint8_t* high, std::uint8_t* low, const std::uint8_t* maxLeft,
                             const std::uint8_t* maxRight, const std::uint8_t* minLeft,
                             const std::uint8_t* minRight, int count, bool first) {
  if (first) {
    for (int i = 0; i < count; ++i) {
      high[i] = std::max(maxLeft[i], maxRight[i]);
      low[i] = std::min(minLeft[i], minRight[i]);
    }
    return;
  }
  for (int i = 0; i < count; ++i) {
    high[i] = std::max(high[i], std::max(maxLeft[i], maxRight[i]));
    low[i] = std::min(low[i], std::min(minLeft[i], minRight[i]));
  }
}

// More than 10 above or below the pixel's own level; near the ends of the scale the sums
// saturate, and a level beyond 255 or below 0 can never be met.
VEXA_ROW_LOOP void markTurns(const std::uint8_t* own, const std::uint8_t* high,
                             const std::uint8_t* low, std::uint8_t* turn, int count) {
  for (int i = 0; i < count; ++i) {
    const int above = std::min(own[i] + kGrayStep, 255);
    const int below = std::max(own[i] - kGrayStep, 0);
    turn[i] = std::uint8_t((high[i] > above) | (low[i] < below));
  }
}

int floorLog2(int n) {
  int k = 0;
  while ((2 << k) <= n) ++k;
  return k;
}

}  // namespace

picture::PixelBuffer EdgeBands(const picture::PixelBuffer& source, double radius) {
  const int width = source.width();
  const int height = source.height();
  const double reachReal = std::ceil(radius);
  if (!(radius >= 0) || !std::isfinite(radius) || reachReal * 2 >= width ||
      reachReal * 2 >= height) {
    return source;  // nothing but frame
  }
  // A whole-block copy: the picture's own copy goes element by element.
  picture::PixelBuffer output = picture::PixelBuffer::ForOverwrite(width, height);
  std::memcpy(output.data(), source.data(), source.sizeInBytes());
  const int reach = int(reachReal);
  const figures::DiscChords disc = figures::ChordsOfDisc(radius, reach, width);
  const int widest = disc.chord(0);
  const int levels = floorLog2(2 * widest + 1) + 1;

  std::vector<std::uint8_t> gray(std::size_t(width) * height);
  for (int y = 0; y < height; ++y) blueBytes(source.row(y + 1), width, &gray[std::size_t(y) * width]);
  // The rows of the window around the current row, in a ring.
  const int span = 2 * reach + 1;
  std::vector<RowRuns> ring(static_cast<std::size_t>(span));
  for (int y = 0; y < span - 1; ++y) {
    ring[std::size_t(y % span)].build(&gray[std::size_t(y) * width], width, levels);
  }
  const auto columns = static_cast<std::size_t>(width);
  std::vector<std::uint8_t> highest(columns), lowest(columns), turns(columns);
  const int from = reach, to = width - reach;  // the columns that may turn white
  const int count = to - from;
  for (int y = reach; y < height - reach; ++y) {
    const int newest = y + reach;
    ring[std::size_t(newest % span)].build(&gray[std::size_t(newest) * width], width, levels);
    bool first = true;
    for (int j = -reach; j <= reach; ++j) {
      const int chord = disc.chord(j);
      if (chord < 0) continue;
      const RowRuns& runs = ring[std::size_t((y + j) % span)];
      const int k = floorLog2(2 * chord + 1);
      // The chord x - chord .. x + chord as two runs of 2^k pixels: one from its left end, one
      // ending at its right end.
      const int shift = 2 * chord + 1 - (1 << k);
      const std::uint8_t* maxLeft = runs.maxima(k) + (from - chord);
      const std::uint8_t* maxRight = maxLeft + shift;
      const std::uint8_t* minLeft = runs.minima(k) + (from - chord);
      const std::uint8_t* minRight = minLeft + shift;
      foldChord(highest.data() + from, lowest.data() + from, maxLeft, maxRight, minLeft,
                minRight, count, first);
      first = false;
    }
    std::uint8_t* turn = turns.data() + from;
    markTurns(&gray[std::size_t(y) * width + from], highest.data() + from, lowest.data() + from,
              turn, count);
    // Eight pixels at a time: on a drawing most runs of eight stay, on a photograph most turn.
    std::uint8_t* out = output.row(y + 1) + std::size_t(from) * 3;
    int i = 0;
    for (; i + 8 <= count; i += 8, out += 24) {
      std::uint64_t eight;
      std::memcpy(&eight, turn + i, 8);
      if (eight == 0) continue;
      if (eight == 0x0101010101010101ull) {
        std::memset(out, 255, 24);
        continue;
      }
      for (int k = 0; k < 8; ++k) {
        if (turn[i + k] != 0) std::memset(out + 3 * k, 255, 3);
      }
    }
    for (; i < count; ++i, out += 3) {
      if (turn[i] != 0) std::memset(out, 255, 3);
    }
  }
  return output;
}

}  // namespace vexa::milling
