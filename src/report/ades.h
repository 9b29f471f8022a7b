#pragma once
// Reports in ADES, the IAU's Astrometry Data Exchange Standard (version
// 2022), as PSV (pipe-separated values) or XML with the same content.
//
// The observation context comes from the observer's settings: observatory
// (mpcCode), submitter (the contact's name), observers, measurers (the
// observers when none is named), telescope (design, aperture in metres,
// detector, fRatio) and comment lines. Each observation is an optical
// record with permID, provID or trkSub (by the designation's kind), mode
// (CCD or CMO), stn, obsTime (UTC to the millisecond with Z), rmsTime, ra
// and dec in decimal degrees to the digits their uncertainty justifies,
// rmsRA (of RA·cos δ) and rmsDec in arcseconds, astCat, and when known mag,
// rmsMag, band, photCat, logSNR, disc and notes; what is not known is left
// out.
//
// PSV: "# version=2022", the context as "# group" lines with "! element
// value" lines under them, then the keyword record (permID first, as ADES
// asks, and only the columns some observation fills) and one record per
// observation, columns padded with blanks to line up.
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "report/measurement.h"
#include "report/observer_settings.h"
#include "state/outcome.h"

namespace sextrix {

enum class AdesFormat { Psv, Xml };

// By the file name's extension, ".psv" or ".xml" in any case; none for any
// other name.
std::optional<AdesFormat> adesFormatFor(std::string_view path);

// The whole file's text, lines ended by CR LF; refused whole when the settings
// or any observation cannot be written.
Outcome<std::string> adesReport(const ObserverSettings& settings, std::span<const ReportedMeasurement> measurements,
                                AdesFormat format);

}  // namespace sextrix
