#pragma once
// The time of an observation: the middle of the exposure in UTC, and where
// it came from, which the user is shown beside it.
#include <optional>
#include <string>

namespace sextrix {

struct ObservationTime {
    double mjdUtc = 0;   // the middle of the exposure
    std::string source;  // e.g. "DATE-OBS + EXPTIME/2", "EXIF DateTimeOriginal + ExposureTime/2 (UTC+01:00)"
};

// A time, or the reason there is none; never a guess.
struct TimeReading {
    std::optional<ObservationTime> time;
    std::string reason;  // when there is no time: what is missing or wrong
};

}  // namespace sextrix
