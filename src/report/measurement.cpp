#include "report/measurement.h"

#include "obstime/utc_time.h"

#include <cmath>
#include <iterator>

namespace sextrix {

namespace {

// Each catalogue's names and band, in the order of the enum.
struct CatalogueNames {
    std::string_view net, ades;
    char band;
};
constexpr CatalogueNames kCatalogueNames[] = {
    {"USNO-A2.0", "USNOA2", 'R'},  // UsnoA2
    {"UCAC-4", "UCAC4", 'r'},      // Ucac4
    {"Gaia-DR3", "Gaia3", 'G'},    // GaiaDr3
};
static_assert(std::size(kCatalogueNames) == static_cast<std::size_t>(Catalogue::GaiaDr3) + 1, "a row a catalogue");

const CatalogueNames& namesOf(Catalogue catalogue) { return kCatalogueNames[static_cast<int>(catalogue)]; }

}  // namespace

std::string_view netName(Catalogue catalogue) { return namesOf(catalogue).net; }
std::string_view adesName(Catalogue catalogue) { return namesOf(catalogue).ades; }
char catalogueBand(Catalogue catalogue) { return namesOf(catalogue).band; }

std::optional<Catalogue> catalogueOfProtocol(std::string_view protocol) {
    if (protocol == "vizier" || protocol == "usnoa") return Catalogue::UsnoA2;
    if (protocol == "vizier-ucac4") return Catalogue::Ucac4;
    if (protocol == "vizier-gaia") return Catalogue::GaiaDr3;
    return std::nullopt;
}

std::string measurementProblem(const ReportedMeasurement& m) {
    const auto designation = unpackDesignation(m.designation.columns);
    if (!designation || designation->name != m.designation.name || designation->kind != m.designation.kind)
        return "The designation \"" + m.designation.name + "\" is not packed.";
    if (!m.mjdUtc) return "The observation of " + m.designation.name + " has no time.";
    if (const int year = calendarOf(*m.mjdUtc).year; year < 1800 || year > 2999)
        return "The year " + std::to_string(year) + " is out of range.";
    if (m.rmsTimeSeconds && !(*m.rmsTimeSeconds >= 0.001 && *m.rmsTimeSeconds < 86400))
        return "The time's uncertainty is not between a millisecond and a day.";
    if (!(m.raDeg >= 0 && m.raDeg < 360) || !(m.decDeg >= -90 && m.decDeg <= 90))
        return "The position is not a right ascension of 0-360 degrees and a declination of -90 to +90.";
    if (!(m.rmsRaArcsec >= 0.001 && m.rmsRaArcsec <= 3600) || !(m.rmsDecArcsec >= 0.001 && m.rmsDecArcsec <= 3600))
        return "The position's uncertainty is not between 0.001\" and 3600\".";
    if (const auto& p = m.photometry) {
        if (!(p->magnitude >= -5 && p->magnitude <= 35)) return "The magnitude is not between -5 and 35.";
        if (validBands.find(p->band) == std::string_view::npos)
            return std::string("\"") + p->band + "\" is not a magnitude band the MPC accepts.";
        if (p->rms && !(*p->rms >= 0.001 && *p->rms < 10))
            return "The magnitude's uncertainty is not between 0.001 and 10.";
    }
    if (m.signalToNoise && !(*m.signalToNoise > 0 && std::isfinite(*m.signalToNoise)))
        return "The signal-to-noise ratio is not a positive number.";
    if (m.note != ' ' && validNotes.find(m.note) == std::string_view::npos)
        return std::string("\"") + m.note + "\" is not a publishable note.";
    return {};
}

}  // namespace sextrix
