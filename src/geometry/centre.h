#pragma once
// The centre the user typed: its conversion to scaled J2000.0 units, the
// centre cross over the picture, and the field rotation of the plate.
#include <array>
#include <optional>
#include <string>

#include "plate.h"
#include "precession.h"
#include "sky_map.h"

namespace sextrix {

// The centre as the user typed it: the six sexagesimal fields, the sign
// label of the declination and the epoch.
struct TypedCentre {
    std::array<std::string, 3> ra;   // hours, minutes, seconds
    std::array<std::string, 3> dec;  // unsigned degrees, minutes, seconds
    bool south = false;              // the sign label shows "-"
    std::string epochText;
};

struct CentreJ2000Result {
    PrecessionDelta toJ2000;  // degrees, added to the typed position
    double X = 0, Y = 0;      // J2000.0 centre in scaled units
};

// Reads the fields (strict numbers with the given decimal separator; the
// epoch with the lenient parse) and precesses the position to J2000.0. The
// precessed right ascension is brought back into [0, 360) before it is
// scaled (23 59 59.9 at 1950 is just past 0 h in J2000.0).
// Throws TypeMismatchError for a field that is not a number.
CentreJ2000Result centreJ2000(const TypedCentre& typed, double corrAsd, double corrDec, char decimalSeparator);

// The epochs a centre may be typed in, years: the precession's polynomials
// hold for some centuries either side of 2000.
inline constexpr double kEarliestEpoch = 1000, kLatestEpoch = 3000;

// The first value of a typed centre outside its range, read as centreJ2000
// reads it: hours and degrees not negative, minutes and seconds in [0, 60),
// the right ascension below 24 h, the declination within 90 degrees, the
// epoch within kEarliestEpoch..kLatestEpoch. Nothing when all are in range.
// Throws TypeMismatchError for a field that is not a number.
enum class CentrePart { Ra, Dec, Epoch };
struct CentreFault {
    CentrePart part;
    std::string reason;  // e.g. "minutes must lie below 60, not 335"
};
std::optional<CentreFault> centreFault(const TypedCentre& typed, char decimalSeparator);

// The typed declination in degrees, when its three fields read as numbers
// and lie within their ranges (as centreFault checks them); the right
// ascension and epoch are not looked at.
std::optional<double> typedDeclination(const TypedCentre& typed, char decimalSeparator);

// The centre cross: four short segments around the centre's pixel, leaving
// a 2-pixel gap, each as its two ends.
struct CrossSegment {
    double x1, y1, x2, y2;
};
struct CentreCross {
    std::array<CrossSegment, 4> segments;
    bool onImage = false;  // strictly inside a picture of the given size
};

// Nothing when the plate cannot be inverted.
std::optional<CentreCross> centreCross(const SkyMap& map, double X, double Y, int width, int height);

// The field rotation of a mapping, degrees in (-90, 90]: the angle of the
// right-ascension axis from the image's vertical, measured at the scaled sky
// position (X, Y) of a catalogue star: (dx, dy) is the pixel offset from the
// point 1000 scaled units further in RA (X + 1000) to the star itself, and
// the angle is atan(dx / dy).
//
// Notes:
// 1. Computed as a two-argument arctangent folded into (-90, 90]: the same
//    value wherever dy != 0, and 90 degrees, not a division by zero, when the
//    RA axis runs along the image's x axis (dy = 0). The outline ellipses
//    drawn with it are the same under a half turn.
// 2. Nothing for a mapping that cannot be inverted (det = 0).
std::optional<double> fieldRotationDeg(const SkyMap& map, double X, double Y);

}  // namespace sextrix
