#include "report_file.h"

#include "ades.h"
#include "mpc80.h"
#include "obstime/utc_time.h"

namespace sextrix {

ReportKind reportKindFor(std::string_view path) {
    if (const auto ades = adesFormatFor(path))
        return *ades == AdesFormat::Psv ? ReportKind::AdesPsv : ReportKind::AdesXml;
    return ReportKind::Mpc80;
}

Outcome<std::string> reportText(const ObserverSettings& settings, std::span<const ReportedMeasurement> measurements,
                                ReportKind kind) {
    if (measurements.empty()) return Outcome<std::string>::refused("no measurement to report");
    if (kind == ReportKind::AdesPsv) return adesReport(settings, measurements, AdesFormat::Psv);
    if (kind == ReportKind::AdesXml) return adesReport(settings, measurements, AdesFormat::Xml);
    const ReportedMeasurement& first = measurements.front();
    std::string ack = displayName(first.designation);
    if (first.mjdUtc) ack += " " + isoUtcText(*first.mjdUtc, 0).substr(0, 10);
    return mpc80Report(settings, measurements, ack);
}

}  // namespace sextrix
