#include "report/mpc80.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "obstime/utc_time.h"
#include "report/precision.h"
#include "state/text_lines.h"

namespace sextrix {
namespace {

constexpr std::size_t kWidth = 80;

long long powerOfTen(int exponent) {
    long long value = 1;
    for (int i = 0; i < exponent; ++i) value *= 10;
    return value;
}

// ".ddd" of a count of thousandths (for three decimals); nothing, not even
// the point, without decimals.
std::string fraction(long long parts, int decimals) {
    if (decimals == 0) return {};
    char text[16];
    std::snprintf(text, sizeof text, ".%0*lld", decimals, parts);
    return text;
}

// "HH MM SS" and, with decimals, ".ddd": the rounding in whole units of the
// last digit, so that 59.9996s becomes the next minute and 24h becomes 0h.
std::string raText(double raDeg, int decimals) {
    const long long perSecond = powerOfTen(decimals);
    const long long units = std::llround(raDeg / 15 * 3600 * static_cast<double>(perSecond)) % (86400 * perSecond);
    const long long seconds = units / perSecond;
    char text[32];
    std::snprintf(text, sizeof text, "%02lld %02lld %02lld", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return text + fraction(units % perSecond, decimals);
}

std::string decText(double decDeg, int decimals) {
    const long long perSecond = powerOfTen(decimals);
    const long long units = std::llround(std::fabs(decDeg) * 3600 * static_cast<double>(perSecond));
    const long long seconds = units / perSecond;
    char text[32];
    std::snprintf(text, sizeof text, "%c%02lld %02lld %02lld", decDeg < 0 && units > 0 ? '-' : '+', seconds / 3600,
                  seconds / 60 % 60, seconds % 60);
    return text + fraction(units % perSecond, decimals);
}

// Writes `text` into columns first to last (counted from 1); false when it
// does not fit.
bool place(std::string& record, std::size_t first, std::size_t last, std::string_view text) {
    if (text.size() > last - first + 1) return false;
    record.replace(first - 1, text.size(), text);
    return true;
}

bool isPrintableAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

// "0.50-m f/3 reflector + CCD", as the MPC's examples write it.
std::string telescopeText(const ObserverSettings& s) {
    auto shortest = [](double value, int decimals) {
        std::string text = decimalText(value, decimals);
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
        return text;
    };
    std::string text = decimalText(s.apertureMetres, s.apertureMetres < 1 ? 2 : 1) + "-m";
    if (s.focalRatio) text += " f/" + shortest(*s.focalRatio, 1);
    return text + " " + s.telescopeDesign + (s.detector == Detector::Cmos ? " + CMOS" : " + CCD");
}

// Items joined by ", " onto lines that start with the keyword, a new line
// when the next item would pass column 80.
void addKeywordLines(std::vector<std::string>& lines, std::string_view keyword, const std::vector<std::string>& items) {
    std::string line;
    for (const auto& item : items) {
        if (!line.empty() && line.size() + 2 + item.size() <= kWidth) {
            line += ", " + item;
            continue;
        }
        if (!line.empty()) lines.push_back(line);
        line = std::string(keyword) + " " + item;
    }
    if (!line.empty()) lines.push_back(line);
}

std::vector<std::string> parts(std::string_view text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < text.size()) {
        const auto end = std::min(text.find(',', start), text.size());
        const std::string_view item = text.substr(start, end - start);
        const auto first = item.find_first_not_of(' ');
        if (first != std::string_view::npos)
            items.emplace_back(item.substr(first, item.find_last_not_of(' ') - first + 1));
        start = end + 1;
    }
    return items;
}

}  // namespace

Outcome<std::string> mpc80Line(const ReportedMeasurement& m, std::string_view station, Detector detector) {
    using Line = Outcome<std::string>;
    if (const std::string problem = measurementProblem(m); !problem.empty()) return Line::refused(problem);
    if (!isStationCode(station))
        return Line::refused("The observatory code \"" + std::string(station) +
                             "\" is not a letter or digit and two digits.");
    if (m.discovery && isComet(m.designation.kind))
        return Line::refused("A comet's observation is not marked as a discovery: its column 13 stays blank.");

    std::string record(kWidth, ' ');
    const double cosDec = std::cos(m.decDeg * std::numbers::pi / 180);
    const int timeDecimals = m.rmsTimeSeconds ? justifiedDecimals(*m.rmsTimeSeconds, 86400, 5, 6) : 5;
    bool fits = place(record, 1, 12, m.designation.columns) &&
                place(record, 16, 32, dayFractionText(*m.mjdUtc, timeDecimals)) &&
                place(record, 33, 44, raText(m.raDeg, justifiedDecimals(m.rmsRaArcsec, 15 * cosDec, 0, 3))) &&
                place(record, 45, 56, decText(m.decDeg, justifiedDecimals(m.rmsDecArcsec, 1, 0, 2))) &&
                place(record, 78, 80, station);
    record[12] = m.discovery ? '*' : ' ';
    record[13] = m.note;
    record[14] = detector == Detector::Cmos ? 'B' : 'C';
    if (const auto& p = m.photometry) {
        const std::string magnitude = decimalText(p->magnitude, p->rms ? justifiedDecimals(*p->rms, 1, 1, 2) : 1);
        const std::size_t point = magnitude.find('.');
        fits = fits && point <= 2 && place(record, 68 - point, 70, magnitude);
        record[70] = p->band;
    }
    if (!fits || record.size() != kWidth || !isPrintableAscii(record))
        return Line::refused("The observation of " + m.designation.name + " does not fit the 80 columns.");
    return record;
}

Outcome<std::vector<std::string>> mpc80Header(const ObserverSettings& s,
                                              std::span<const ReportedMeasurement> measurements, std::string_view ack) {
    using Header = Outcome<std::vector<std::string>>;
    if (const auto problems = settingsProblems(s, ReportFormat::Mpc80); !problems.empty()) {
        std::string reasons;
        for (const auto& problem : problems) reasons += (reasons.empty() ? "" : " ") + problem;
        return Header::refused(reasons);
    }
    if (measurements.empty()) return Header::refused("There is no observation to report.");

    std::vector<std::string> lines{"COD " + s.station};
    std::vector<std::string> contact{s.contactName};
    for (auto& part : parts(s.contactAddress)) contact.push_back(part);
    if (!s.contactEmail.empty()) contact.push_back("[" + s.contactEmail + "]");
    addKeywordLines(lines, "CON", contact);
    addKeywordLines(lines, "OBS", s.observers);
    addKeywordLines(lines, "MEA", s.measurers);
    lines.push_back("TEL " + telescopeText(s));

    std::vector<std::string> catalogues;
    std::string bands;
    for (const auto& m : measurements) {
        const std::string name(netName(m.catalogue));
        if (std::find(catalogues.begin(), catalogues.end(), name) == catalogues.end()) catalogues.push_back(name);
        if (m.photometry && bands.find(m.photometry->band) == std::string::npos) bands += m.photometry->band;
    }
    addKeywordLines(lines, "NET", catalogues);
    // BND names the band of every magnitude, so only when there is one.
    if (bands.size() == 1) lines.push_back("BND " + bands);
    for (const std::string& words : wordLines(s.comment, kWidth - 4)) lines.push_back("COM " + words);
    lines.push_back("NUM " + std::to_string(measurements.size()));
    if (!ack.empty()) lines.push_back("ACK " + std::string(ack));
    if (!s.acknowledgementEmails.empty()) lines.push_back("AC2 " + s.acknowledgementEmails);

    for (const auto& line : lines)
        if (line.size() > kWidth || !isPrintableAscii(line))
            return Header::refused("The header line \"" + line + "\" is longer than 80 columns or not plain ASCII.");
    return lines;
}

Outcome<std::string> mpc80Report(const ObserverSettings& settings, std::span<const ReportedMeasurement> measurements,
                                 std::string_view ack) {
    auto header = mpc80Header(settings, measurements, ack);
    if (!header) return Outcome<std::string>::refused(header.reason());
    std::vector<std::string> lines = *header;
    for (std::size_t i = 0; i < measurements.size(); ++i) {
        auto line = mpc80Line(measurements[i], settings.station, settings.detector);
        if (!line) return Outcome<std::string>::refused("Observation " + std::to_string(i + 1) + ": " + line.reason());
        lines.push_back(*line);
    }
    return joinLinesCrLf(lines);
}

}  // namespace sextrix
