#include "fits_time.h"

#include <cctype>
#include <cmath>
#include <optional>

#include "state/text_number.h"
#include "utc_time.h"

namespace sextrix {
namespace {

std::optional<std::string> keyword(const FitsKeywords& keywords, const char* name) {
    const auto it = keywords.find(name);
    if (it == keywords.end() || it->second.empty()) return std::nullopt;
    return it->second;
}

std::optional<double> number(const std::string& text) {
    try {
        const double value = parseStrictNumber(text, '.');
        if (std::isfinite(value)) return value;
    } catch (const std::exception&) {
    }
    return std::nullopt;
}

// "dd/mm/yy", years of the 1900s, as the keyword was written before 2000.
std::optional<CalendarTime> oldDate(const std::string& text) {
    if (text.size() != 8 || text[2] != '/' || text[5] != '/') return std::nullopt;
    return parseIsoTime("19" + text.substr(6, 2) + "-" + text.substr(3, 2) + "-" + text.substr(0, 2));
}

struct Start {
    double mjd;  // in the header's time scale
    std::string source;
};

// The time DATE-OBS gives, with TIME-OBS or UT for a date alone.
std::optional<Start> dateObs(const FitsKeywords& keywords, std::string& reason) {
    const auto date = keyword(keywords, "DATE-OBS");
    if (!date) {
        if (const auto mjd = keyword(keywords, "MJD-OBS")) {
            if (const auto value = number(*mjd)) return Start{*value, "MJD-OBS"};
            reason = "MJD-OBS is not a number: " + *mjd;
        }
        return std::nullopt;
    }
    const bool old = date->find('/') != std::string::npos;
    const auto day = old ? oldDate(*date) : parseIsoTime(*date);
    if (!day) {
        reason = "DATE-OBS is not a date: " + *date;
        return std::nullopt;
    }
    const bool withTime = !old && date->size() > 10;
    if (withTime) return Start{mjdOf(*day), "DATE-OBS"};
    for (const char* name : {"TIME-OBS", "UT"}) {
        const auto time = keyword(keywords, name);
        if (!time) continue;
        const auto seconds = parseTimeOfDay(*time);
        if (!seconds) {
            reason = std::string(name) + " is not a time of day: " + *time;
            return std::nullopt;
        }
        CalendarTime t = *day;
        t.secondsOfDay = *seconds;
        return Start{mjdOf(t), "DATE-OBS + " + std::string(name)};
    }
    reason = "DATE-OBS holds a date without a time, and neither TIME-OBS nor UT gives one";
    return std::nullopt;
}

// The header's time scale to UTC; nothing (and a reason) for a scale that
// cannot be converted.
std::optional<double> toUtc(double mjd, const std::string& scale, std::string& reason) {
    if (scale.empty() || scale == "UTC" || scale == "UT") return mjd;
    double offset = 0;  // seconds from the scale to TAI
    if (scale == "TAI")
        offset = 0;
    else if (scale == "TT")
        offset = -32.184;
    else if (scale == "GPS")
        offset = 19;
    else {
        reason = "TIMESYS " + scale + " cannot be converted to UTC";
        return std::nullopt;
    }
    const double tai = mjd + offset / 86400;
    const auto leap = taiMinusUtc(tai);
    if (!leap) {
        reason = "TIMESYS " + scale + " before 1972 cannot be converted to UTC";
        return std::nullopt;
    }
    return tai - *leap / 86400.0;
}

}  // namespace

TimeReading fitsMidExposure(const FitsKeywords& keywords) {
    std::string reason;
    std::string scale = keyword(keywords, "TIMESYS").value_or("");
    for (char& c : scale) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));

    std::optional<Start> middle;
    if (const auto avg = keyword(keywords, "DATE-AVG")) {
        const auto t = parseIsoTime(*avg);
        if (!t || avg->size() <= 10) {
            return TimeReading::refused("DATE-AVG is not a date and time: " + *avg);
        }
        middle = Start{mjdOf(*t), "DATE-AVG"};
    } else if (const auto mjdAvg = keyword(keywords, "MJD-AVG")) {
        const auto value = number(*mjdAvg);
        if (!value) {
            return TimeReading::refused("MJD-AVG is not a number: " + *mjdAvg);
        }
        middle = Start{*value, "MJD-AVG"};
    } else {
        const auto start = dateObs(keywords, reason);
        if (!start)
            return TimeReading::refused(reason.empty() ? "the header gives no observation time (DATE-OBS)" : reason);
        for (const char* name : {"EXPTIME", "EXPOSURE"}) {
            const auto text = keyword(keywords, name);
            if (!text) continue;
            const auto seconds = number(*text);
            if (!seconds || *seconds < 0) {
                return TimeReading::refused(std::string(name) + " is not an exposure time: " + *text);
            }
            middle = Start{start->mjd + *seconds / 2 / 86400, start->source + " + " + name + "/2"};
            break;
        }
        if (!middle) {
            return TimeReading::refused(
                start->source +
                " gives the start of the exposure, and neither EXPTIME nor EXPOSURE says how long it "
                "lasted");
        }
    }
    const auto utc = toUtc(middle->mjd, scale, reason);
    if (!utc) return TimeReading::refused(reason);
    const bool converted = !(scale.empty() || scale == "UTC" || scale == "UT");
    return ObservationTime{*utc, middle->source + (converted ? " (" + scale + " to UTC)" : "")};
}

}  // namespace sextrix
