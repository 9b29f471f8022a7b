#pragma once
// One measured position of a minor planet or comet on a solved frame, as
// both report writers take it (the 80-column record and ADES).
#include <optional>
#include <string>
#include <string_view>

#include "report/designation.h"

namespace sextrix {

// The reference catalogues the program reduces against.
enum class Catalogue { UsnoA2, Ucac4, GaiaDr3 };

// Its name on the NET line of an 80-column report ("UCAC-4") and in the
// astCat and photCat fields of ADES ("UCAC4").
std::string_view netName(Catalogue catalogue);
std::string_view adesName(Catalogue catalogue);

// The band a catalogue's magnitudes are in, as the star answers carry them:
// USNO-A2's red plates (R), UCAC4's r (r), Gaia's G (G).
char catalogueBand(Catalogue catalogue);

// The catalogue of a star service of hosts.cfg by its protocol ("vizier",
// "vizier-ucac4", "vizier-gaia", "usnoa"); nothing for another name.
std::optional<Catalogue> catalogueOfProtocol(std::string_view protocol);

struct Photometry {
    double magnitude = 0;
    char band = 'V';  // one of the MPC's bands (validBands)
    std::optional<double> rms;
    std::optional<Catalogue> catalogue;
};

struct ReportedMeasurement {
    Designation designation;
    std::optional<double> mjdUtc;  // the middle of the exposure
    std::optional<double> rmsTimeSeconds;
    double raDeg = 0;        // J2000
    double decDeg = 0;       // J2000
    double rmsRaArcsec = 0;  // of RA·cos δ, as ADES defines rmsRA
    double rmsDecArcsec = 0;
    Catalogue catalogue = Catalogue::GaiaDr3;
    std::optional<Photometry> photometry;
    std::optional<double> signalToNoise;
    bool discovery = false;
    char note = ' ';  // a publishable note (validNotes), blank for none
};

// The magnitude bands the MPC accepts on new observations ("C", clear, no
// longer is).
inline constexpr std::string_view validBands = "BVRIJWULHKYGgriwyzocvu";
// The publishable notes of column 14 ("C", a correction, is not for new
// observations).
inline constexpr std::string_view validNotes = "AaBbcDdEFfGgHIiJKkMmNOoPpRrSsTtUuVWw";

// Why the measurement cannot be reported; empty when it can.
std::string measurementProblem(const ReportedMeasurement& measurement);

}  // namespace sextrix
