#include "report/utc_time.h"

#include <cmath>
#include <cstdio>

namespace sextrix {
namespace {

struct Date {
    int year, month, day;
};

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long long dayNumber(Date d) {
    const int y = d.year - (d.month <= 2 ? 1 : 0);
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yearOfEra = y - era * 400;
    const long long dayOfYear = (153 * (d.month + (d.month > 2 ? -3 : 9)) + 2) / 5 + d.day - 1;
    const long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

Date dateOf(long long dayNumber) {
    const long long z = dayNumber + 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long dayOfEra = z - era * 146097;
    const long long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long long shiftedMonth = (5 * dayOfYear + 2) / 153;
    const int day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    return {static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0)), month, day};
}

int daysInMonth(int year, int month) {
    constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// The time as a whole count of `perDay` parts of the day, the date moved on
// when the count rounds up to a whole day.
Date carried(const UtcTime& time, long long perDay, long long& parts) {
    parts = std::llround(time.seconds / 86400.0 * static_cast<double>(perDay));
    const long long days = dayNumber({time.year, time.month, time.day}) + parts / perDay;
    parts %= perDay;
    return dateOf(days);
}

}  // namespace

std::string utcTimeProblem(const UtcTime& time) {
    if (time.year < 1800 || time.year > 2999) return "The year " + std::to_string(time.year) + " is out of range.";
    if (time.month < 1 || time.month > 12 || time.day < 1 || time.day > daysInMonth(time.year, time.month)) {
        char date[32];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", time.year, time.month, time.day);
        return std::string("The date ") + date + " does not exist.";
    }
    if (!(time.seconds >= 0 && time.seconds < 86400)) return "The time of day is not between 00:00:00 and 24:00:00.";
    return {};
}

std::string dayFractionText(const UtcTime& time, int decimals) {
    long long perDay = 1;
    for (int i = 0; i < decimals; ++i) perDay *= 10;
    long long parts = 0;
    const Date date = carried(time, perDay, parts);
    char text[40];
    std::snprintf(text, sizeof text, "%04d %02d %02d.%0*lld", date.year, date.month, date.day, decimals, parts);
    return text;
}

std::string isoUtcText(const UtcTime& time) {
    long long ms = 0;
    const Date date = carried(time, 86400000, ms);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02lld:%02lld:%02lld.%03lldZ", date.year, date.month, date.day,
                  ms / 3600000, ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
    return text;
}

}  // namespace sextrix
