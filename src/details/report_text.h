#pragma once
// The texts of the object reports, in the markup of info_markup.h. Lines are
// separated by CR LF; labels are entries of the [INFO] table of the language
// file. Positions are J2000.0 degrees; each coordinate is shown in degrees to
// 5 decimals (halves to even) and in sexagesimal form. A right ascension may
// be given on either side of 0 h (-0.1 or 359.9); it is shown in 0..360.
#include <array>
#include <string>

#include "geometry/precession.h"

namespace sextrix {

struct ReportStyle {
    const std::array<std::string, 31>& infoTexts;  // entries 1..20 used
    char decimalSeparator;
};

// toEpoch: corrections from J2000.0 to the epoch of epochText, degrees.
std::string starReportMarkup(const ReportStyle& style, const std::string& id, double ra, double dec,
                             const std::string& magR, const std::string& magB, const std::string& epochText,
                             PrecessionDelta toEpoch);

std::string pointReportMarkup(const ReportStyle& style, double ra, double dec, const std::string& epochText,
                              PrecessionDelta toEpoch);

// number, text48 (magnitude), text77 and text70 (motion) are the columns of
// the asteroid answer as read.
std::string asteroidReportMarkup(const ReportStyle& style, const std::string& number, const std::string& name,
                                 double ra, double dec, const std::string& text48, const std::string& text77,
                                 const std::string& text70);

// size1, size2 in arcminutes. A pgc of "PGC 0" means the object has no PGC
// number and gets no line for it.
std::string deepSkyReportMarkup(const ReportStyle& style, const std::string& name, double ra, double dec,
                                const std::string& text51, double size1, double size2, const std::string& text79,
                                const std::string& pgc, const std::string& text97, const std::string& text113);

}  // namespace sextrix
