#pragma once
// The six plate constants between image pixels (x right, y down, origin
// top-left) and scaled sky units (X = RA degrees * corrAsd, Y = Dec degrees *
// corrDec, J2000.0, no cos(dec) factor):
//
//   X = a x + b y + c
//   Y = d x + e y + f
//
// geometry/plate.h holds what is computed with them.

namespace sextrix {

struct Plate {
    double a = 0, b = 0, c = 0, d = 0, e = 0, f = 0;
    friend bool operator==(const Plate&, const Plate&) = default;
};

}  // namespace sextrix
