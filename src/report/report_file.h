#pragma once
// A report to the Minor Planet Center as a whole text, in the form a file
// name asks for.
#include <span>
#include <string>
#include <string_view>

#include "measurement.h"
#include "observer_settings.h"
#include "state/outcome.h"

namespace sextrix {

enum class ReportKind { Mpc80, AdesPsv, AdesXml };

// ".psv" or ".xml" (any case): ADES in that form; any other name: 80-column.
ReportKind reportKindFor(std::string_view path);

// The report's text; the 80-column report's ACK line names the first object
// and the night ("(433) 2026-12-08"). Refused whole, with the reason, when
// the settings or any measurement cannot be written.
Outcome<std::string> reportText(const ObserverSettings& settings, std::span<const ReportedMeasurement> measurements,
                                ReportKind kind);

}  // namespace sextrix
