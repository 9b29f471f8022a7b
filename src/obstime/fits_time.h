#pragma once
// The middle of the exposure from a FITS header's keywords.
#include <map>
#include <string>

#include "observation_time.h"

namespace sextrix {

// Keyword -> value as the header holds it, string values without quotes
// and trailing blanks.
using FitsKeywords = std::map<std::string, std::string>;

// In order of preference: DATE-AVG or MJD-AVG (the middle itself); then
// DATE-OBS (with TIME-OBS or UT when it holds only a date; the old
// "dd/mm/yy" form, years 1900-1999, too) or MJD-OBS, plus half of EXPTIME or
// EXPOSURE. A start without an exposure time is no middle: no time. TIMESYS
// UTC (or absent, or the old "UT") is taken as it stands; TT, TAI and GPS
// are brought to UTC with the leap seconds; any other is refused.
TimeReading fitsMidExposure(const FitsKeywords& keywords);

}  // namespace sextrix
