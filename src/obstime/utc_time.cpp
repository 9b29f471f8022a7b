#include "utc_time.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>

namespace sextrix {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's
// civil-from-days algorithm and its inverse).
long long daysFromCivil(long long y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const long long yoe = y - era * 400;
    const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

CalendarTime civilFromDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    CalendarTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
    return t;
}

constexpr long long kMjdOfUnixEpoch = 40587;

int daysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

// A run of exactly `width` digits at text[at].
std::optional<int> digits(std::string_view text, std::size_t at, std::size_t width) {
    if (at + width > text.size()) return std::nullopt;
    int value = 0;
    for (std::size_t k = at; k < at + width; ++k) {
        if (text[k] < '0' || text[k] > '9') return std::nullopt;
        value = value * 10 + (text[k] - '0');
    }
    return value;
}

// Trailing decimals of a second: ".25" -> 0.25; the whole rest must be digits.
std::optional<double> fraction(std::string_view rest) {
    if (rest.empty()) return 0.0;
    if (rest[0] != '.' || rest.size() == 1) return std::nullopt;
    double value = 0, scale = 0.1;
    for (char c : rest.substr(1)) {
        if (c < '0' || c > '9') return std::nullopt;
        value += (c - '0') * scale;
        scale /= 10;
    }
    return value;
}

}  // namespace

double mjdOf(const CalendarTime& t) {
    return static_cast<double>(daysFromCivil(t.year, t.month, t.day) + kMjdOfUnixEpoch) + t.secondsOfDay / 86400;
}

CalendarTime calendarOf(double mjd) {
    const double whole = std::floor(mjd);
    CalendarTime t = civilFromDays(static_cast<long long>(whole) - kMjdOfUnixEpoch);
    t.secondsOfDay = (mjd - whole) * 86400;
    return t;
}

std::optional<double> parseTimeOfDay(std::string_view text) {
    const auto h = digits(text, 0, 2), m = digits(text, 3, 2);
    if (!h || !m || text[2] != ':' || *h > 23 || *m > 59) return std::nullopt;
    double seconds = 0;
    if (text.size() > 5) {
        const auto s = digits(text, 6, 2);
        const auto f = s ? fraction(text.substr(8)) : std::nullopt;
        if (text[5] != ':' || !s || *s > 59 || !f) return std::nullopt;
        seconds = *s + *f;
    }
    return *h * 3600.0 + *m * 60.0 + seconds;
}

std::optional<CalendarTime> parseIsoTime(std::string_view text) {
    while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
    if (!text.empty() && text.back() == 'Z') text.remove_suffix(1);
    const auto y = digits(text, 0, 4), mo = digits(text, 5, 2), d = digits(text, 8, 2);
    if (!y || !mo || !d || text[4] != '-' || text[7] != '-') return std::nullopt;
    if (*mo < 1 || *mo > 12 || *d < 1 || *d > daysInMonth(*y, *mo)) return std::nullopt;
    CalendarTime t{*y, *mo, *d, 0};
    if (text.size() == 10) return t;
    if (text[10] != 'T' && text[10] != ' ') return std::nullopt;
    const auto seconds = parseTimeOfDay(text.substr(11));
    if (!seconds) return std::nullopt;
    t.secondsOfDay = *seconds;
    return t;
}

std::string isoUtcText(double mjd, int decimals) {
    decimals = std::clamp(decimals, 0, 6);
    const double unit = std::pow(10.0, -decimals);
    // Rounded as a whole, so that 59.9996 s becomes the next minute.
    const double units = std::round(mjd * 86400 / unit);
    const double rounded = units * unit / 86400;
    CalendarTime t = calendarOf(rounded);
    long long ticks = std::llround(t.secondsOfDay / unit);
    const long long perDay = std::llround(86400 / unit);
    if (ticks >= perDay) {  // a hair below midnight after rounding
        t = calendarOf(std::floor(rounded) + 1);
        ticks = 0;
    }
    const long long perSecond = std::llround(1 / unit);
    const long long whole = ticks / perSecond, part = ticks % perSecond;
    char text[96];
    if (decimals > 0)
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d.%0*dZ", t.year, t.month, t.day,
                      static_cast<int>(whole / 3600), static_cast<int>(whole / 60 % 60), static_cast<int>(whole % 60),
                      decimals, static_cast<int>(part));
    else
        std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", t.year, t.month, t.day,
                      static_cast<int>(whole / 3600), static_cast<int>(whole / 60 % 60), static_cast<int>(whole % 60));
    return text;
}

std::string dayFractionText(double mjd, int decimals) {
    decimals = std::clamp(decimals, 0, 9);
    const double perDay = std::pow(10.0, decimals);
    // Whole parts of the day from MJD 0; the date is that of the rounded instant.
    const double parts = std::round(mjd * perDay);
    const double day = std::floor(parts / perDay);
    const CalendarTime date = calendarOf(day);
    const auto fraction = static_cast<long long>(parts - day * perDay);
    char text[48];
    std::snprintf(text, sizeof text, "%04d %02d %02d.%0*lld", date.year, date.month, date.day, decimals, fraction);
    return text;
}

std::optional<int> taiMinusUtc(double mjdUtc) {
    // The MJD from which each value holds (IERS Bulletin C).
    static constexpr std::array<std::pair<int, int>, 28> steps{{
        {41317, 10}, {41499, 11}, {41683, 12}, {42048, 13}, {42413, 14}, {42778, 15}, {43144, 16},
        {43509, 17}, {43874, 18}, {44239, 19}, {44786, 20}, {45151, 21}, {45516, 22}, {46247, 23},
        {47161, 24}, {47892, 25}, {48257, 26}, {48804, 27}, {49169, 28}, {49534, 29}, {50083, 30},
        {50630, 31}, {51179, 32}, {53736, 33}, {54832, 34}, {56109, 35}, {57204, 36}, {57754, 37},
    }};
    if (mjdUtc < steps.front().first) return std::nullopt;
    int value = steps.front().second;
    for (const auto& [from, seconds] : steps)
        if (mjdUtc >= from) value = seconds;
    return value;
}

}  // namespace sextrix
