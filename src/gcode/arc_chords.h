#pragma once
// G2/G3 arcs in the XY plane as chords: the centre from the I J or R form, the sweep, and chord
// ends spaced evenly in angle so that no chord strays from its arc by more than the tolerance.

#include <cstddef>
#include <vector>

namespace vexa::gcode {

struct PlanePoint {
  double x = 0, y = 0;
};

enum class ArcFit {
  Fits,
  RadiiDiffer,     // I J form: start and end are at different distances from the centre
  RadiusTooShort,  // R form: the end is farther than 2 R from the start
  NoEnd,           // R form: the end is the start, any circle through it would do
};

// The two radii of an I J arc, checked against the slack of gcode_program.h.
ArcFit CheckCentre(PlanePoint start, PlanePoint end, PlanePoint centre);

// The centre of the R form: of the two circles of radius |r| through start and end, the one
// that makes the arc at most half a turn for r > 0 and more than half a turn for r < 0 (the
// centre right of the way from start to end for a clockwise arc with r > 0). An end up to the
// slack beyond reach gives the half circle.
ArcFit CentreOfRadius(PlanePoint start, PlanePoint end, double r, bool clockwise,
                      PlanePoint& centre);

// The angle an arc turns through, in (0, 2 pi]: an end within 1e-7 mm of the start is a full
// circle.
double ArcSweep(PlanePoint start, PlanePoint end, PlanePoint centre, bool clockwise);

// Chords a sweep needs at `radius` so that each strays at most `tolerance`:
// radius x (1 - cos(half the chord's angle)) <= tolerance.
std::size_t ChordCount(double sweep, double radius, double tolerance);

// The chord ends after the start, the last exactly `end`; the radius goes evenly from the
// start's to the end's (they differ by the slack at most). `points` is replaced.
void ArcChords(PlanePoint start, PlanePoint end, PlanePoint centre, bool clockwise,
               std::size_t chords, std::vector<PlanePoint>& points);

}  // namespace vexa::gcode
