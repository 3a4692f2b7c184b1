#pragma once
// A disc of pixels as rows of chords: the offsets (i, j) with i² + j² <= radius², row j from
// -reach to reach, reach being the smallest integer not below the radius. The cutter and laser
// marks paint it, and the edge bands look for gray steps inside it.

#include <vector>

namespace vexa::figures {

struct DiscChords {
  int reach = -1;           // -1: no disc at all (a radius below 0 or not a number)
  std::vector<int> chords;  // row j at index j + reach: the disc holds i = -c..c; -1: nothing

  int chord(int j) const { return chords[static_cast<std::size_t>(j + reach)]; }
};

// `rowLimit` and `chordLimit` cap the rows and chords where nothing beyond them can matter (the
// picture's size), so a disc far larger than the picture costs no more than the picture.
DiscChords ChordsOfDisc(double radius, int rowLimit, int chordLimit);

}  // namespace vexa::figures
