#pragma once
// Fixed-column access shared by the three catalogue readers: the star answer,
// the asteroid answer and the deep-sky files all place their fields by 1-based
// character position, and all read numbers with the lenient parse.
#include <optional>
#include <string>
#include <string_view>

namespace sextrix {

// Characters first .. first + width - 1 (1-based) of line; shorter or empty
// when the line ends before them.
std::string_view column(std::string_view line, std::size_t first, std::size_t width);

// Right ascension from its hours, minutes and seconds columns, in degrees:
// (h*3600 + m*60 + s) / 3600 * 15, each field read leniently.
double raDegreesFromColumns(std::string_view hours, std::string_view minutes, std::string_view seconds);

// Declination from its degrees (sign in the column's first character),
// arcminutes and arcseconds columns, in degrees. The sign is taken from the
// character rather than from the number, so "-00 30 00" gives -0.5.
double decDegreesFromColumns(std::string_view signedDegrees, std::string_view arcminutes, std::string_view arcseconds);

// Right ascension taken within half a turn of the field centre's (degrees,
// J2000.0), so that a field across 0 h keeps its stars side by side: around
// 359.9, 0.1 becomes 360.1; around 0.1, 359.9 becomes -0.1. The columns hold
// 0..360 and a centre lies near that range, so one turn either way is enough;
// anything further off is left as read. Without a centre, ra as read.
double raNearCentre(double ra, std::optional<double> centreRa);

// degrees * scale rounded to a whole number of scaled units, halves to even.
// Throws OverflowError when the product is beyond the range of a double.
double scaledWhole(double degrees, double scale);

}  // namespace sextrix
