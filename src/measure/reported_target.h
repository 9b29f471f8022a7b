#pragma once
// A measured target as the reports to the Minor Planet Center take it.
#include "report/measurement.h"
#include "target_measurement.h"

namespace sextrix {

// The position, its uncertainty and the signal-to-noise ratio as measured;
// the magnitude (when there is one) in the catalogue's band, with the
// catalogue as the photometric one.
ReportedMeasurement reportedTarget(const TargetMeasurement& target, const Designation& designation, double mjdUtc,
                                   Catalogue catalogue);

}  // namespace sextrix
