#pragma once
// The time of an observation: the middle of the exposure in UTC, and where
// it came from, which the user is shown beside it.
#include <string>

#include "state/outcome.h"

namespace sextrix {

struct ObservationTime {
    double mjdUtc = 0;   // the middle of the exposure
    std::string source;  // e.g. "DATE-OBS + EXPTIME/2", "EXIF DateTimeOriginal + ExposureTime/2 (UTC+01:00)"
};

// A time, or the reason there is none (what is missing or wrong); never a guess.
using TimeReading = Outcome<ObservationTime>;

}  // namespace sextrix
