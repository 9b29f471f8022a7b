#pragma once
// Sexagesimal fields and decimal angles: the split of an angle into whole
// degrees (or hours), minutes and seconds, its text form, and the typing aids
// of the numeric boxes.
#include <string>

#include "state/controls.h"
#include "state/reduction_values.h"

namespace sextrix {

// An angle split into whole degrees (or hours), whole minutes and seconds.
// Only degrees carry the sign.
struct Dms {
    Int16 degrees;
    Int16 minutes;
    double seconds;
};

// DegToDms: splits a decimal angle (degrees or hours).
//
// Returns degrees = floor(|angle|) with the sign of angle, minutes =
// floor of the remainder in minutes, seconds rounded to 4 decimals, halves to
// even.
//
// Notes:
// 1. A negative angle above -1 (e.g. -0.5) gives 0 degrees: the sign is lost.
//    Callers that need it take it from elsewhere.
// 2. Seconds may round up to 60.0000 without a carry into the minutes
//    (10.99999999 gives 10, 59, 60).
// 3. |angle| >= 32768 (or not finite) raises OverflowError.
Dms DegToDms(double angle);

// An angle in degrees brought into [0, 360): right ascensions are unwrapped
// around a field centre near 0 h (below 0 or beyond 360), but are shown in
// 0..24 h.
double withinOneTurn(double degrees);

// Right ascension from hours, minutes and seconds, in degrees.
double raToDegrees(double h, double m, double s);
// Declination from a sign (+1 or -1) and unsigned degrees, minutes and
// seconds, in degrees. The sign applies to the whole value.
double decToDegrees(double sign, double d, double m, double s);

// FormatDms: the text of an angle as whole, unit, minutes "'", seconds "''",
// e.g. 12.5 with "H" gives "12H30'0''", -0.5 with "°" gives "-0°30'0''".
//
// Notes:
// 1. Seconds are taken to 2 decimals, then to a whole number, both halves to
//    even; there is no carry, so 59.5 s or more shows as 60.
// 2. A negative value starts with "-", also when the whole part is 0.
// 3. A whole part of 32768 or more raises OverflowError.
std::string FormatDms(double value, const std::string& unit);

// Turns the first comma of the box into a point, the caret just after it.
// A box without a comma is left alone.
void CommaToDot(TextBox& box);

}  // namespace sextrix
