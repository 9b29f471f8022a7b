#pragma once
// A measurement kept for the reports: the target as measured, the picture
// it was measured on, the middle of its exposure, the catalogue the frame
// was reduced against, and which object it is.
#include <optional>
#include <string>

#include "listed_asteroids.h"
#include "report/measurement.h"
#include "target_measurement.h"

namespace sextrix {

struct KeptMeasurement {
    TargetMeasurement target;
    std::string image;             // the picture's file
    std::optional<double> mjdUtc;  // the middle of the exposure; none when it is not known
    Catalogue catalogue = Catalogue::UsnoA2;
    std::optional<AsteroidMatch> known;  // the listed asteroid within 20", with its O-C
    std::string designation;             // as the user typed it; empty: the listed asteroid's
};

// The designation the user typed, else the listed asteroid's; empty when
// there is neither.
std::string designationText(const KeptMeasurement& kept);

// The measurement as the reports take it, or why it cannot be reported (no
// time, no designation, a designation that is not one).
Outcome<ReportedMeasurement> reportedOf(const KeptMeasurement& kept);

}  // namespace sextrix
