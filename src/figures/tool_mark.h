#pragma once
// The red disc a contour job paints around the tool after every step: the milling cutter and
// the outline laser spot. Pure red (blue 0), so a later contour reads a marked pixel as dark.

#include <cstddef>
#include <vector>

#include "figures/disc_chords.h"
#include "picture/pixel_buffer.h"

namespace vexa::figures {

class ToolMark {
 public:
  // Every offset (i, j) with i² + j² <= radius² belongs to the disc; a radius below 0 paints
  // nothing. `width` and `height` bound the rows and chords that can fall on the picture, so a
  // cutter far wider than the picture costs no more than the picture.
  ToolMark(double radius, int width, int height);

  // Paints the disc around (x, y), skipping what falls outside the picture. Pixels that were not
  // pure red before are added to `changed` (as byte offsets) when it is given.
  void paint(picture::PixelBuffer& picture, int x, int y,
             std::vector<std::size_t>* changed = nullptr) const;

  const DiscChords& disc() const { return disc_; }

 private:
  DiscChords disc_;
};

}  // namespace vexa::figures
