#include "figures/disc_chords.h"

#include <algorithm>
#include <cmath>

namespace vexa::figures {

DiscChords ChordsOfDisc(double radius, int rowLimit, int chordLimit) {
  DiscChords disc;
  if (!(radius >= 0) || !std::isfinite(radius)) return disc;
  const double limit = radius * radius;
  disc.reach = int(std::min<double>(std::ceil(radius), std::max(rowLimit, 0)));
  const int widest = std::max(chordLimit, 0);
  disc.chords.assign(std::size_t(2 * disc.reach + 1), -1);
  // The same test as the plain method's, i² + j² <= radius² in doubles.
  auto inside = [limit](long long i, long long j) { return double(i * i + j * j) <= limit; };
  for (int j = -disc.reach; j <= disc.reach; ++j) {
    if (!inside(0, j)) continue;
    // Beyond the widest chord every length gives the same result: starting there keeps the
    // squares within their integer type however large the radius.
    long long chord = (long long)std::min(
        std::floor(std::sqrt(std::max(0.0, limit - double(j) * j))), double(widest) + 1);
    while (chord > 0 && !inside(chord, j)) --chord;
    while (chord < widest && inside(chord + 1, j)) ++chord;
    disc.chords[std::size_t(j + disc.reach)] = int(std::min<long long>(chord, widest));
  }
  return disc;
}

}  // namespace vexa::figures
