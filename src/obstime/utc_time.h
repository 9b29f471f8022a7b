#pragma once
// UTC instants as Modified Julian Dates, their calendar form, and the texts
// they are typed and written in.
#include <optional>
#include <string>
#include <string_view>

namespace sextrix {

// A calendar date and time of day. secondsOfDay lies in [0, 86400); a leap
// second is not represented (it is read as the first second of the next day).
struct CalendarTime {
    int year = 2000, month = 1, day = 1;
    double secondsOfDay = 0;
};

// The proleptic Gregorian calendar: MJD 0 is 1858-11-17 0 h.
double mjdOf(const CalendarTime& t);
CalendarTime calendarOf(double mjd);

// A date and time as "2026-12-08T03:14:15", "2026-12-08 03:14:15.25",
// "2026-12-08T03:14:15.25Z" or "2026-12-08" (0 h); seconds may be left out
// ("03:14"). Nothing for any other text, a field out of its range or a day
// that the month does not have.
std::optional<CalendarTime> parseIsoTime(std::string_view text);

// "hh:mm:ss[.s…]" as seconds of the day; nothing when malformed.
std::optional<double> parseTimeOfDay(std::string_view text);

// "2026-12-08T03:14:15.250Z": ISO 8601 with the given number of decimals of
// the second (0..6), rounded without ever showing 60 seconds.
std::string isoUtcText(double mjd, int decimals);

// "2024 05 01.12346", the day with its decimal fraction as the 80-column
// records of the Minor Planet Center write it, rounded to `decimals` places
// with the rounding carried into the date ("2023 12 31.999999996" is
// "2024 01 01.00000").
std::string dayFractionText(double mjd, int decimals);

// TAI - UTC in seconds at a UTC instant, from 1972 on; nothing before 1972,
// when UTC did not step by whole seconds.
std::optional<int> taiMinusUtc(double mjdUtc);

}  // namespace sextrix
