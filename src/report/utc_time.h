#pragma once
// The UTC time of an observation as a calendar date and the seconds of that
// day, and the two ways the reports write it: the day with its decimal
// fraction of the 80-column record, and the ISO 8601 time of ADES.
#include <string>

namespace sextrix {

struct UtcTime {
    int year = 0;
    int month = 0;         // 1-12
    int day = 0;           // 1-31
    double seconds = 0.0;  // of the day, 0 to under 86400 (no leap second)
};

// Why the time cannot be reported (a date that does not exist, seconds out
// of the day, a year outside 1800-2999); empty when it can.
std::string utcTimeProblem(const UtcTime& time);

// "2024 05 01.12346": the day's fraction rounded to `decimals` places, the
// rounding carried into the date ("2023 12 31.99999996" is "2024 01 01.00000").
std::string dayFractionText(const UtcTime& time, int decimals);

// "2024-05-01T02:57:46.080Z", to the millisecond, carried the same way.
std::string isoUtcText(const UtcTime& time);

}  // namespace sextrix
