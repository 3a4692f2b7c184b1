#include "milling/edge_bands.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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

int floorLog2(int n) {
  int k = 0;
  while ((2 << k) <= n) ++k;
  return k;
}

}  // namespace

picture::PixelBuffer EdgeBands(const picture::PixelBuffer& source, double radius) {
  picture::PixelBuffer output = source;
  const int width = source.width();
  const int height = source.height();
  if (!(radius >= 0) || !std::isfinite(radius)) return output;
  const double reachReal = std::ceil(radius);
  if (reachReal * 2 >= width || reachReal * 2 >= height) return output;  // nothing but frame
  const int reach = int(reachReal);
  const figures::DiscChords disc = figures::ChordsOfDisc(radius, reach, width);
  const int widest = disc.chord(0);
  const int levels = floorLog2(2 * widest + 1) + 1;

  std::vector<std::uint8_t> gray(std::size_t(width) * height);
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = source.row(y + 1);
    for (int x = 0; x < width; ++x) gray[std::size_t(y) * width + x] = row[std::size_t(x) * 3];
  }
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
      std::uint8_t* high = highest.data() + from;
      std::uint8_t* low = lowest.data() + from;
      if (first) {
        for (int i = 0; i < count; ++i) {
          high[i] = std::max(maxLeft[i], maxRight[i]);
          low[i] = std::min(minLeft[i], minRight[i]);
        }
        first = false;
        continue;
      }
      for (int i = 0; i < count; ++i) {
        high[i] = std::max(high[i], std::max(maxLeft[i], maxRight[i]));
        low[i] = std::min(low[i], std::min(minLeft[i], minRight[i]));
      }
    }
    // More than 10 above or below the pixel's own level; near the ends of the scale the sums
    // saturate, and a level beyond 255 or below 0 can never be met.
    const std::uint8_t* own = &gray[std::size_t(y) * width + from];
    const std::uint8_t* high = highest.data() + from;
    const std::uint8_t* low = lowest.data() + from;
    std::uint8_t* turn = turns.data() + from;
    for (int i = 0; i < count; ++i) {
      const int above = std::min(own[i] + kGrayStep, 255);
      const int below = std::max(own[i] - kGrayStep, 0);
      turn[i] = std::uint8_t((high[i] > above) | (low[i] < below));
    }
    std::uint8_t* out = output.row(y + 1);
    for (int x = from; x < to; ++x) {
      if (turns[std::size_t(x)] != 0) {
        std::uint8_t* pixel = out + std::size_t(x) * 3;
        pixel[0] = pixel[1] = pixel[2] = 255;
      }
    }
  }
  return output;
}

}  // namespace vexa::milling
