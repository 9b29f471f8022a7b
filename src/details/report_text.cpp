#include "report_text.h"

#include <cmath>
#include <vector>

#include "geometry/angles.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

const std::string kIndent = "   ";
const std::string kNoPgc = "PGC 0";

// Bold, italic, underlined, 12 points once rendered.
std::string title(const std::string& text) { return "<B><I><S><S2>" + text + "</B></I></S></S2>"; }

std::string heading(const std::string& label) { return "<B>" + label + "</B>"; }

std::string field(const std::string& label, const std::string& value) { return kIndent + heading(label) + value; }

std::string fiveDecimals(double value, char decimalSeparator) {
    return numberToText(roundHalfEven(value * 1e5) / 1e5, decimalSeparator);
}

struct Report {
    const ReportStyle& style;
    std::vector<std::string> lines;

    const std::string& label(int entry) const { return style.infoTexts.at(static_cast<std::size_t>(entry)); }
    std::string number(double value) const { return numberToText(value, style.decimalSeparator); }

    void add(std::string line) { lines.push_back(std::move(line)); }

    void start(const std::string& titleText) {
        add(title(titleText));
        add(kIndent);
    }

    // Right ascension and declination in degrees, then hours and degrees
    // in sexagesimal form.
    void coordinates(double ra, double dec) {
        ra = withinOneTurn(ra);
        add(field(label(9), fiveDecimals(ra, style.decimalSeparator) + "  (" + FormatDms(ra / 15, "H") + ")"));
        add(field(label(10), fiveDecimals(dec, style.decimalSeparator) + "  (" + FormatDms(dec, "°") + ")"));
    }

    void j2000Block(double ra, double dec) {
        add(heading(label(3)));
        coordinates(ra, dec);
        add(kIndent);
    }

    void epochBlock(double ra, double dec, const std::string& epochText, PrecessionDelta toEpoch) {
        add(heading(label(4) + " (J" + epochText + ")"));
        coordinates(ra + toEpoch.ra, dec + toEpoch.dec);
        add(kIndent);
    }

    std::string text() const {
        std::string joined;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (i > 0) joined += "\r\n";
            joined += lines[i];
        }
        return joined;
    }
};

}  // namespace

std::string starReportMarkup(const ReportStyle& style, const std::string& id, double ra, double dec,
                             const std::string& magR, const std::string& magB, const std::string& epochText,
                             PrecessionDelta toEpoch) {
    Report r{style, {}};
    r.start(id);
    r.add(heading(r.label(1)));
    r.add(field(r.label(6), id));
    r.add(field(r.label(7), magR));
    r.add(field(r.label(8), magB));
    r.add(kIndent);
    r.j2000Block(ra, dec);
    r.epochBlock(ra, dec, epochText, toEpoch);
    r.add(heading(r.label(5)));
    r.add(field(r.label(11), id));
    return r.text();
}

std::string pointReportMarkup(const ReportStyle& style, double ra, double dec, const std::string& epochText,
                              PrecessionDelta toEpoch) {
    Report r{style, {}};
    r.start(r.label(2));
    r.j2000Block(ra, dec);
    r.epochBlock(ra, dec, epochText, toEpoch);
    return r.text();
}

std::string asteroidReportMarkup(const ReportStyle& style, const std::string& number, const std::string& name,
                                 double ra, double dec, const std::string& text48, const std::string& text77,
                                 const std::string& text70) {
    Report r{style, {}};
    r.start(name + r.label(14));
    r.add(heading(r.label(1)));
    r.add(field(r.label(12), name));
    r.add(field(r.label(13), number));
    r.add(field(r.label(15), text48));
    r.add(kIndent);
    r.j2000Block(ra, dec);
    r.add(heading(r.label(16)));
    r.add(field(r.label(17), text77));
    r.add(field(r.label(18), text70));
    return r.text();
}

std::string deepSkyReportMarkup(const ReportStyle& style, const std::string& name, double ra, double dec,
                                const std::string& text51, double size1, double size2, const std::string& text79,
                                const std::string& pgc, const std::string& text97, const std::string& text113) {
    Report r{style, {}};
    r.start(name);
    r.add(heading(r.label(1)));
    r.add(field(r.label(12), " " + name));
    r.add(field(r.label(19), " " + text79));
    r.add(field(r.label(15), text51));
    r.add(field(r.label(20), " " + r.number(size1) + " x " + r.number(size2)));
    r.add(kIndent);
    r.j2000Block(ra, dec);
    r.add(heading(r.label(5)));
    if (pgc != kNoPgc) r.add(kIndent + pgc);
    r.add(kIndent + text97);
    r.add(kIndent + text113);
    return r.text();
}

}  // namespace sextrix
