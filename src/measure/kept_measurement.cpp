#include "kept_measurement.h"

#include "reported_target.h"

namespace sextrix {

std::string designationText(const KeptMeasurement& kept) {
    if (!kept.designation.empty()) return kept.designation;
    return kept.known ? kept.known->designation : std::string();
}

Outcome<ReportedMeasurement> reportedOf(const KeptMeasurement& kept) {
    if (!kept.mjdUtc) return Outcome<ReportedMeasurement>::refused("the time of the observation is not known");
    const std::string typed = designationText(kept);
    if (typed.empty()) return Outcome<ReportedMeasurement>::refused("no designation: type the object's designation");
    const Outcome<Designation> designation = parseDesignation(typed);
    if (!designation) return Outcome<ReportedMeasurement>::refused(designation.reason());
    return reportedTarget(kept.target, *designation, *kept.mjdUtc, kept.catalogue);
}

}  // namespace sextrix
