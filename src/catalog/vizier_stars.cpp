#include "vizier_stars.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "asu_tsv.h"
#include "service_text.h"
#include "star_answer_page.h"

namespace sextrix {
namespace {

struct Columns {
    std::string_view source;
    std::string_view id;
    std::string_view red;
    std::string_view redFallback;  // empty when there is none
    std::string_view blue;
    std::string_view queryMag;    // the column of the faint limit and the sort
    std::string_view everything;  // the columns of a whole cone for the local catalogue
};

Columns columnsOf(VizierCatalogue catalogue) {
    switch (catalogue) {
        case VizierCatalogue::Ucac4:
            return {"I/322A/out",
                    "UCAC4",
                    "rmag",
                    "f.mag",
                    "Bmag",
                    "f.mag",
                    "UCAC4,RAJ2000,DEJ2000,pmRA,pmDE,f.mag,rmag,Bmag"};
        case VizierCatalogue::GaiaDr3:
            return {"I/355/gaiadr3",
                    "Source",
                    "RPmag",
                    "",
                    "BPmag",
                    "RPmag",
                    "Source,RA_ICRS,DE_ICRS,pmRA,pmDE,BPmag,RPmag"};
        case VizierCatalogue::UsnoA2:
        default: return {"I/252/out", "USNO-A2.0", "Rmag", "", "Bmag", "Rmag", "USNO-A2.0,RAJ2000,DEJ2000,Bmag,Rmag"};
    }
}

constexpr std::string_view kRaColumn = "_RAJ2000";
constexpr std::string_view kDecColumn = "_DEJ2000";

std::optional<std::size_t> indexOf(const std::vector<std::string_view>& header, std::string_view name) {
    for (std::size_t i = 0; i < header.size(); ++i)
        if (trimmed(header[i]) == name) return i;
    return std::nullopt;
}

bool printableWord(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c > ' ' && c < 127; });
}

// The catalogue's designation in the reader's 14 "U..." characters.
std::optional<std::string> identifier(VizierCatalogue catalogue, std::string_view cell) {
    const std::string_view id = trimmed(cell);
    if (!printableWord(id)) return std::nullopt;
    switch (catalogue) {
        case VizierCatalogue::GaiaDr3: {
            std::uint64_t number = 0;
            const auto r = std::from_chars(id.data(), id.data() + id.size(), number);
            if (r.ec != std::errc() || r.ptr != id.data() + id.size()) return std::nullopt;
            return gaiaAnswerId(number);
        }
        case VizierCatalogue::Ucac4: return answerId("UC4 ", id);
        case VizierCatalogue::UsnoA2:
        default: return answerId("U", id);
    }
}

// A magnitude cell: blank is "missing", anything else must be a number.
bool readMagnitude(std::string_view cell, std::optional<double>& mag) {
    if (trimmed(cell).empty()) {
        mag.reset();
        return true;
    }
    mag = cellNumber(cell);
    return mag.has_value();
}

// "-c=RA DEC": the centre in degrees, the declination signed.
std::string centreText(const StarCone& cone) {
    std::string dec = fixedText(cone.decDeg, 6);
    if (dec.front() != '-') dec.insert(0, "+");
    return fixedText(cone.raDeg, 6) + " " + dec;
}

}  // namespace

std::string_view vizierSource(VizierCatalogue catalogue) { return columnsOf(catalogue).source; }

std::string vizierStarUrl(const std::string& address, VizierCatalogue catalogue, const StarCone& cone) {
    const Columns c = columnsOf(catalogue);
    std::string out = std::string(c.id) + "," + std::string(c.red);
    if (!c.redFallback.empty()) out += "," + std::string(c.redFallback);
    out += "," + std::string(c.blue);
    return serviceUrl(address,
                      "/viz-bin/asu-tsv?-source=" + queryEncoded(c.source) + "&-c=" + queryEncoded(centreText(cone)) +
                          "&-c.eq=J2000" + "&-c.rm=" + queryEncoded(trimmedText(cone.radiusArcmin, 3)) +
                          "&-out.add=_RAJ,_DEJ&-oc.form=dec" + "&-out=" + queryEncoded(out) +
                          "&-sort=" + queryEncoded(c.queryMag) + "&-out.max=" + std::to_string(kVizierMaxRows) + "&" +
                          queryEncoded(c.queryMag) + "=" + queryEncoded("<" + trimmedText(cone.magFaint, 2)));
}

std::string vizierCatalogueUrl(const std::string& address, VizierCatalogue catalogue, const StarCone& cone,
                               int maxRows) {
    const Columns c = columnsOf(catalogue);
    return serviceUrl(
        address, "/viz-bin/asu-tsv?-source=" + queryEncoded(c.source) + "&-c=" + queryEncoded(centreText(cone)) +
                     "&-c.eq=J2000" + "&-c.rm=" + queryEncoded(trimmedText(cone.radiusArcmin, 3)) + "&-oc.form=dec" +
                     "&-out=" + queryEncoded(c.everything) + "&-out.max=" + std::to_string(maxRows) + "&" +
                     queryEncoded(c.queryMag) + "=" + queryEncoded("<" + trimmedText(cone.magFaint, 2)));
}

bool vizierAnswerEnded(std::string_view tsv) {
    const std::vector<std::string_view> lines = bodyLines(tsv);
    auto last = lines.rbegin();
    while (last != lines.rend() && trimmed(*last).empty()) ++last;
    return last != lines.rend() && isAsuClosing(*last);
}

Result<std::string> starAnswerFromVizier(std::string_view tsv, VizierCatalogue catalogue) {
    const Columns c = columnsOf(catalogue);
    const std::vector<std::string_view> lines = bodyLines(tsv);
    // line: 1-based, 0 for the whole answer.
    const auto refused = [](std::size_t line, std::string cause) {
        return ReadError{.file = std::string(kVizierAnswer), .line = static_cast<int>(line), .cause = std::move(cause)};
    };

    // The header is the first line that is neither blank nor a "#" comment;
    // a field with no match has none. Its closing "matches=0" line is taken
    // when it comes but not required: the comment block of an empty field
    // is all there is to it, whole when it ends with its line feed.
    std::size_t at = 0;
    while (at < lines.size() && (trimmed(lines[at]).empty() || lines[at].front() == '#')) ++at;
    if (at == lines.size()) {
        const auto comment = [](std::string_view line) { return line.starts_with('#'); };
        if (const auto error = std::find_if(lines.begin(), lines.end(), isAsuError); error != lines.end())
            return refused(static_cast<std::size_t>(error - lines.begin()) + 1, "an error: " + std::string(*error));
        if (std::none_of(lines.begin(), lines.end(), comment)) return refused(0, "no table and no comment");
        if (!tsv.ends_with('\n')) return refused(lines.size(), "cut inside the line");
        return starAnswerPage("VizieR " + std::string(c.source), {});
    }
    if (!vizierAnswerEnded(tsv)) return refused(0, "no closing line #INFO matches=");
    if (at + 2 >= lines.size()) return refused(at + 1, "no units and dashes lines under the header");
    const std::vector<std::string_view> header = tsvCells(lines[at]);
    const auto idCol = indexOf(header, c.id), raCol = indexOf(header, kRaColumn), decCol = indexOf(header, kDecColumn);
    const auto redCol = indexOf(header, c.red), blueCol = indexOf(header, c.blue);
    const auto fallbackCol = c.redFallback.empty() ? std::nullopt : indexOf(header, c.redFallback);
    if (!idCol || !raCol || !decCol || !redCol || !blueCol || (!c.redFallback.empty() && !fallbackCol))
        return refused(at + 1, "not the header of the identifier, position and magnitude columns");
    // Units, then one run of dashes per column.
    const std::vector<std::string_view> dashes = tsvCells(lines[at + 2]);
    if (dashes.size() != header.size() || !std::all_of(dashes.begin(), dashes.end(), isDashesCell))
        return refused(at + 3, "not a line of dashes under the header");

    std::vector<AnswerStar> stars;
    std::size_t row = at + 3;
    for (; row < lines.size(); ++row) {
        const std::string_view line = lines[row];
        if (trimmed(line).empty() || line.front() == '#') break;
        const std::vector<std::string_view> cell = tsvCells(line);
        if (cell.size() != header.size())
            return refused(
                row + 1, std::to_string(cell.size()) + " cells where the header has " + std::to_string(header.size()));
        AnswerStar star;
        auto id = identifier(catalogue, cell[*idCol]);
        const auto ra = cellNumber(cell[*raCol]), dec = cellNumber(cell[*decCol]);
        if (!id) return refused(row + 1, "no identifier");
        if (!ra || !dec || *ra < 0 || *ra > 360 || std::fabs(*dec) > 90)
            return refused(row + 1, "a position that is not a number or out of range");
        star.id = std::move(*id);
        star.ra = *ra;
        star.dec = *dec;
        const bool magnitudes = readMagnitude(cell[*redCol], star.red) && readMagnitude(cell[*blueCol], star.blue) &&
                                (star.red || !fallbackCol || readMagnitude(cell[*fallbackCol], star.red));
        if (!magnitudes) return refused(row + 1, "a magnitude that is neither blank nor a number");
        stars.push_back(std::move(star));
    }

    const auto key = [](const AnswerStar& s) { return s.red.value_or(std::numeric_limits<double>::infinity()); };
    std::stable_sort(stars.begin(), stars.end(),
                     [&](const AnswerStar& a, const AnswerStar& b) { return key(a) < key(b); });
    if (stars.size() > static_cast<std::size_t>(kVizierMaxRows)) stars.resize(kVizierMaxRows);
    return starAnswerPage("VizieR " + std::string(c.source), stars);
}

}  // namespace sextrix
