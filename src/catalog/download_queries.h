#pragma once
// The texts of the two catalogue queries: sexagesimal values joined by "+"
// as the services take them, and the query strings themselves.
#include <string>

namespace sextrix {

// "h+m+s" of a right ascension in hours: whole hours and minutes, seconds
// rounded to a whole number (halves to even, no carry: 59.5 s reads 60).
// Throws OverflowError beyond the 16-bit range.
std::string raQueryText(double hours);

// "d+m+s" of a declination in degrees, after the sign text ("-" or ""),
// which comes from the typed sign: between -1 and 0 degrees the value has
// lost it (-0.5 with "-" gives "-0+30+0").
std::string decQueryText(double degrees, const std::string& signText);

// Path and query of the star service's USNO-A request. The magnitude text
// is followed by a point: "13" is sent as "13.", "13.5" as "13.5.".
std::string usnoaQuery(const std::string& epoch, const std::string& ra, const std::string& dec,
                       const std::string& radmax, const std::string& magfaint);

// Path and query of the asteroid checker's request.
std::string mpcheckQuery(const std::string& year, const std::string& month, const std::string& day,
                         const std::string& ra, const std::string& decl, const std::string& radius,
                         const std::string& limit);

// The day of the exposure with its fraction (hour and minute of the day),
// the fraction rounded to 2 decimals, halves to even: day 5 at 22:30 is 5.94.
double dayWithFraction(double day, double hour, double minute);

}  // namespace sextrix
