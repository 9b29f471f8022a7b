#include "star_layout.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "catalog/service_text.h"

namespace sextrix {
namespace {

using Pair = std::pair<std::string_view, std::string_view>;

// The names one catalogue's columns go by in one service's tables, the
// preferred first where there are several.
struct Scheme {
    LocalSource source;
    std::vector<std::vector<std::string_view>> ids;  // each a whole identifier, in parts
    std::vector<Pair> positions;
    std::optional<Pair> pm;
    std::string_view red, redElse, blue;  // redElse: empty when there is none
};

// VizieR's names, then the Gaia archive's. The positions of the catalogues
// of epoch J2000.0 may be VizieR's computed _RAJ2000/_DEJ2000; Gaia DR3's
// computed ones are moved to J2000 and are not among its choices.
const std::vector<Scheme>& schemes() {
    static const std::vector<Scheme> all = {
        {LocalSource::UsnoA2,
         {{"USNO-A2.0"}},
         {{"RAJ2000", "DEJ2000"}, {"_RAJ2000", "_DEJ2000"}},
         {},
         "Rmag",
         "",
         "Bmag"},
        {LocalSource::Ucac4,
         {{"UCAC4"}},
         {{"RAJ2000", "DEJ2000"}, {"RA_ICRS", "DE_ICRS"}, {"_RAJ2000", "_DEJ2000"}},
         Pair{"pmRA", "pmDE"},
         "rmag",
         "f.mag",
         "Bmag"},
        {LocalSource::GaiaDr3, {{"Source"}}, {{"RA_ICRS", "DE_ICRS"}}, Pair{"pmRA", "pmDE"}, "RPmag", "", "BPmag"},
        {LocalSource::GaiaDr3,
         {{"source_id"}},
         {{"ra", "dec"}},
         Pair{"pmra", "pmdec"},
         "phot_rp_mean_mag",
         "",
         "phot_bp_mean_mag"},
        {LocalSource::Tycho2,
         {{"TYC1", "TYC2", "TYC3"}, {"TYC"}},
         {{"RAmdeg", "DEmdeg"}, {"mRAdeg", "mDEdeg"}, {"_RAJ2000", "_DEJ2000"}},
         Pair{"pmRA", "pmDE"},
         "VTmag",
         "",
         "BTmag"},
    };
    return all;
}

bool sameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

// The column of that name; written otherwise only in case (a FITS writer
// that capitalises) when no column has it exactly.
std::optional<std::size_t> columnOf(const std::vector<std::string>& names, std::string_view name) {
    if (name.empty()) return std::nullopt;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (names[i] == name) return i;
    for (std::size_t i = 0; i < names.size(); ++i)
        if (sameLetters(names[i], name)) return i;
    return std::nullopt;
}

std::optional<std::vector<std::size_t>> idColumns(const std::vector<std::string>& names, const Scheme& scheme) {
    for (const auto& parts : scheme.ids) {
        std::vector<std::size_t> columns;
        for (const std::string_view part : parts)
            if (const auto column = columnOf(names, part)) columns.push_back(*column);
        if (columns.size() == parts.size()) return columns;
    }
    return std::nullopt;
}

std::string joined(const std::vector<std::string_view>& words, std::string_view between) {
    std::string text;
    for (const std::string_view word : words) {
        if (!text.empty()) text += between;
        text += word;
    }
    return text;
}

std::string positionChoices(const Scheme& scheme) {
    std::vector<std::string> choices;
    for (const auto& [ra, dec] : scheme.positions) choices.push_back(std::string(ra) + " and " + std::string(dec));
    std::string text = choices.front();
    for (std::size_t i = 1; i < choices.size(); ++i) text += (i == 1 ? " (or " : ", or ") + choices[i];
    return choices.size() > 1 ? text + ")" : text;
}

Outcome<StarLayout> layoutOf(const std::vector<std::string>& names, const Scheme& scheme, std::vector<std::size_t> id) {
    const std::string catalogue(localSourceName(scheme.source));
    StarLayout layout;
    layout.source = scheme.source;
    layout.id = std::move(id);
    bool placed = false;
    for (const auto& [ra, dec] : scheme.positions) {
        const auto raColumn = columnOf(names, ra), decColumn = columnOf(names, dec);
        if (raColumn && decColumn) {
            layout.ra = *raColumn;
            layout.dec = *decColumn;
            placed = true;
            break;
        }
    }
    if (!placed) {
        if (scheme.source == LocalSource::GaiaDr3 && columnOf(names, "_RAJ2000"))
            return Outcome<StarLayout>::refused(
                "Gaia DR3 without RA_ICRS and DE_ICRS: VizieR's _RAJ2000 and _DEJ2000 are moved to epoch "
                "J2000, the catalogue's own positions of epoch J2016.0 are needed");
        return Outcome<StarLayout>::refused(catalogue + " without the position columns " + positionChoices(scheme));
    }
    if (scheme.pm) {
        layout.pmRa = columnOf(names, scheme.pm->first);
        layout.pmDec = columnOf(names, scheme.pm->second);
    }
    layout.magR = columnOf(names, scheme.red);
    layout.magRElse = columnOf(names, scheme.redElse);
    if (!layout.magR) std::swap(layout.magR, layout.magRElse);
    if (!layout.magR)
        return Outcome<StarLayout>::refused(catalogue + " without the magnitude column " + std::string(scheme.red) +
                                            (scheme.redElse.empty() ? "" : " or " + std::string(scheme.redElse)));
    layout.magB = columnOf(names, scheme.blue);
    return layout;
}

std::optional<double> blankOrNumber(std::string_view cell, bool& wrong) {
    const std::string_view text = trimmed(cell);
    if (text.empty() || sameLetters(text, "null") || sameLetters(text, "nan")) return std::nullopt;
    const auto number = cellNumber(text);
    wrong = !number;
    return number;
}

}  // namespace

Outcome<StarLayout> starLayout(const std::vector<std::string>& names, std::optional<LocalSource> named) {
    for (const Scheme& scheme : schemes()) {
        if (named && scheme.source != *named) continue;
        if (auto id = idColumns(names, scheme)) return layoutOf(names, scheme, std::move(*id));
    }
    std::vector<std::string_view> keys;
    for (const Scheme& scheme : schemes())
        if (!named || scheme.source == *named) keys.push_back(scheme.ids.front().front());
    // A few of the names, printable and short, for a table the user did not mean.
    std::vector<std::string> printable;
    for (std::size_t i = 0; i < std::min<std::size_t>(names.size(), 8); ++i) {
        std::string name = names[i].substr(0, 32);
        for (char& c : name)
            if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7F) c = '?';
        printable.push_back(std::move(name));
    }
    const std::vector<std::string_view> shown(printable.begin(), printable.end());
    return Outcome<StarLayout>::refused((named
                                             ? std::string(localSourceName(*named)) + " without its identifier column "
                                             : std::string("columns of no catalogue known: no identifier column ")) +
                                        joined(keys, ", ") + " (the columns: " + joined(shown, ", ") +
                                        (names.size() > shown.size() ? ", ..." : "") + ")");
}

std::optional<LocalSource> vizierTableSource(std::string_view table) {
    if (table == "I/252/out") return LocalSource::UsnoA2;
    if (table == "I/322A/out") return LocalSource::Ucac4;
    if (table == "I/355/gaiadr3") return LocalSource::GaiaDr3;
    if (table == "I/259/tyc2") return LocalSource::Tycho2;
    return std::nullopt;
}

std::vector<NumberColumn> StarLayout::numberColumns() const {
    std::vector<NumberColumn> out = {{ra, &StarValues::ra, "the right ascension"},
                                     {dec, &StarValues::dec, "the declination"}};
    const NumberColumn others[] = {{0, &StarValues::pmRa, "the proper motion in RA"},
                                   {0, &StarValues::pmDec, "the proper motion in Dec"},
                                   {0, &StarValues::magR, "the R-like magnitude"},
                                   {0, &StarValues::magRElse, "the R-like magnitude"},
                                   {0, &StarValues::magB, "the B-like magnitude"}};
    const std::optional<std::size_t> columns[] = {pmRa, pmDec, magR, magRElse, magB};
    for (std::size_t k = 0; k < std::size(others); ++k)
        if (columns[k]) out.push_back({*columns[k], others[k].value, others[k].what});
    return out;
}

std::optional<std::string> readCells(const StarLayout& layout, const std::vector<std::string_view>& cells,
                                     StarValues& values) {
    values = {};
    for (const std::size_t part : layout.id) {
        if (!values.id.empty()) values.id += '-';
        values.id += trimmed(cells[part]);
    }
    for (const NumberColumn& number : layout.numberColumns()) {
        bool wrong = false;
        values.*number.value = blankOrNumber(cells[number.column], wrong);
        if (wrong) {
            const std::string cell(trimmed(cells[number.column]));
            const bool position = number.value == &StarValues::ra || number.value == &StarValues::dec;
            const bool sexagesimal = position && cell.find_first_of(": ") != std::string::npos;
            return std::string(number.what) + " \"" + cell + "\" is not a number" +
                   (sexagesimal ? " (sexagesimal? ask for decimal degrees)" : "");
        }
    }
    return std::nullopt;
}

RowStar starOfRow(const StarLayout& layout, const StarValues& values) {
    if (!values.ra && !values.dec) return {};
    if (!values.ra || !values.dec) return {std::nullopt, "a position with one coordinate only"};
    double ra = *values.ra;
    const double dec = *values.dec;
    if (!(ra >= 0 && ra <= 360 && std::fabs(dec) <= 90))
        return {std::nullopt, "the position " + trimmedText(ra, 6) + " " + trimmedText(dec, 6) + " is out of range"};
    if (ra == 360) ra = 0;
    const auto id = localIdOf(layout.source, values.id);
    if (!id)
        return {std::nullopt, "the identifier \"" + values.id + "\" is not a " +
                                  std::string(localSourceName(layout.source)) + " designation"};
    LocalStar star;
    star.id = *id;
    star.raDeg = ra;
    star.decDeg = dec;
    star.pmRaCosDecMasPerYear = values.pmRa;
    star.pmDecMasPerYear = values.pmDec;
    star.magR = values.magR ? values.magR : values.magRElse;
    star.magB = values.magB;
    return {star, {}};
}

}  // namespace sextrix
