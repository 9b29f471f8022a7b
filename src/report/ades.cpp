#include "report/ades.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <utility>
#include <vector>

#include "obstime/utc_time.h"
#include "report/precision.h"
#include "state/text_lines.h"

namespace sextrix {
namespace {

using Field = std::pair<std::string_view, std::string>;  // element name, value

struct Group {
    std::string_view name;
    std::vector<Field> fields;
};

// The elements of an optical observation, in the order ADES gives them.
constexpr std::string_view kOpticalOrder[] = {"permID", "provID",  "trkSub", "mode",   "stn",    "obsTime", "rmsTime",
                                              "ra",     "dec",     "rmsRA",  "rmsDec", "astCat", "mag",     "rmsMag",
                                              "band",   "photCat", "logSNR", "disc",   "notes"};

std::string shortest(double value, int decimals) {
    std::string text = decimalText(value, decimals);
    while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.')) text.pop_back();
    return text;
}

std::vector<Group> contextOf(const ObserverSettings& s) {
    std::vector<Group> groups = {{"observatory", {{"mpcCode", s.station}}}, {"submitter", {{"name", s.contactName}}}};
    const auto names = [](std::string_view group, const std::vector<std::string>& people) {
        Group g{group, {}};
        for (const auto& person : people) g.fields.emplace_back("name", person);
        return g;
    };
    groups.push_back(names("observers", s.observers));
    groups.push_back(names("measurers", s.measurers.empty() ? s.observers : s.measurers));
    Group telescope{"telescope",
                    {{"design", s.telescopeDesign},
                     {"aperture", shortest(s.apertureMetres, 3)},
                     {"detector", s.detector == Detector::Cmos ? "CMOS" : "CCD"}}};
    if (s.focalRatio) telescope.fields.emplace_back("fRatio", shortest(*s.focalRatio, 1));
    groups.push_back(telescope);
    if (const auto lines = wordLines(s.comment, 100); !lines.empty()) {
        Group comment{"comment", {}};
        for (const auto& line : lines) comment.fields.emplace_back("line", line);
        groups.push_back(comment);
    }
    return groups;
}

std::vector<Field> opticalOf(const ReportedMeasurement& m, const ObserverSettings& s) {
    std::vector<Field> fields;
    switch (m.designation.kind) {
        case DesignationKind::NumberedMinorPlanet:
        case DesignationKind::NumberedComet: fields.emplace_back("permID", m.designation.name); break;
        case DesignationKind::ProvisionalMinorPlanet:
        case DesignationKind::ProvisionalComet: fields.emplace_back("provID", m.designation.name); break;
        case DesignationKind::Temporary: fields.emplace_back("trkSub", m.designation.name); break;
    }
    fields.emplace_back("mode", s.detector == Detector::Cmos ? "CMO" : "CCD");
    fields.emplace_back("stn", s.station);
    fields.emplace_back("obsTime", isoUtcText(*m.mjdUtc, 3));
    // The widths ADES allows: rmsTime 8 characters, rmsRA and rmsDec 7,
    // rmsMag 6 ("0.0010").
    if (m.rmsTimeSeconds) fields.emplace_back("rmsTime", uncertaintyText(*m.rmsTimeSeconds, 5));
    // A step of 1e-d degrees spans 3600e-d arcseconds in Dec, and as much
    // times cos δ on the sky in RA.
    const double cosDec = std::cos(m.decDeg * std::numbers::pi / 180);
    std::string ra = decimalText(m.raDeg, justifiedDecimals(m.rmsRaArcsec, 3600 * cosDec, 1, 9));
    if (ra.starts_with("360")) ra.replace(0, 3, "0");
    fields.emplace_back("ra", ra);
    fields.emplace_back("dec", decimalText(m.decDeg, justifiedDecimals(m.rmsDecArcsec, 3600, 1, 9)));
    fields.emplace_back("rmsRA", uncertaintyText(m.rmsRaArcsec, 5));
    fields.emplace_back("rmsDec", uncertaintyText(m.rmsDecArcsec, 5));
    fields.emplace_back("astCat", adesName(m.catalogue));
    if (const auto& p = m.photometry) {
        fields.emplace_back("mag", decimalText(p->magnitude, p->rms ? justifiedDecimals(*p->rms, 1, 1, 3) : 1));
        if (p->rms) fields.emplace_back("rmsMag", uncertaintyText(*p->rms, 4));
        fields.emplace_back("band", std::string(1, p->band));
        if (p->catalogue) fields.emplace_back("photCat", adesName(*p->catalogue));
    }
    if (m.signalToNoise) fields.emplace_back("logSNR", decimalText(std::log10(*m.signalToNoise), 2));
    if (m.discovery) fields.emplace_back("disc", "*");
    if (m.note != ' ') fields.emplace_back("notes", std::string(1, m.note));
    return fields;
}

std::string padded(std::string text, std::size_t width) {
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

std::vector<std::string> psvLines(const std::vector<Group>& context, const std::vector<std::vector<Field>>& rows) {
    std::vector<std::string> lines{"# version=2022"};
    for (const auto& group : context) {
        lines.push_back("# " + std::string(group.name));
        for (const auto& [name, value] : group.fields) lines.push_back("! " + std::string(name) + " " + value);
    }
    std::vector<std::string_view> columns;
    std::vector<std::size_t> widths;
    for (const std::string_view name : kOpticalOrder) {
        std::size_t width = name == "permID" ? name.size() : 0;
        for (const auto& row : rows)
            for (const auto& [field, value] : row)
                if (field == name) width = std::max({width, name.size(), value.size()});
        if (width > 0) columns.push_back(name), widths.push_back(width);
    }
    const auto record = [&](auto valueOf) {
        std::string line;
        for (std::size_t c = 0; c < columns.size(); ++c) {
            const std::string value = valueOf(columns[c]);
            line += c + 1 < columns.size() ? padded(value, widths[c]) + "|" : value;
        }
        return line;
    };
    lines.push_back(record([](std::string_view name) { return std::string(name); }));
    for (const auto& row : rows)
        lines.push_back(record([&](std::string_view name) {
            const auto at = std::find_if(row.begin(), row.end(), [&](const Field& f) { return f.first == name; });
            return at == row.end() ? std::string() : at->second;
        }));
    return lines;
}

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default: out += c;
        }
    }
    return out;
}

std::string element(int depth, std::string_view name, std::string_view value) {
    return std::string(static_cast<std::size_t>(2 * depth), ' ') + "<" + std::string(name) + ">" + escaped(value) +
           "</" + std::string(name) + ">";
}

std::vector<std::string> xmlLines(const std::vector<Group>& context, const std::vector<std::vector<Field>>& rows) {
    std::vector<std::string> lines{"<?xml version=\"1.0\" encoding=\"UTF-8\"?>", "<ades version=\"2022\">",
                                   "  <obsBlock>", "    <obsContext>"};
    for (const auto& group : context) {
        lines.push_back("      <" + std::string(group.name) + ">");
        for (const auto& [name, value] : group.fields) lines.push_back(element(4, name, value));
        lines.push_back("      </" + std::string(group.name) + ">");
    }
    lines.insert(lines.end(), {"    </obsContext>", "    <obsData>"});
    for (const auto& row : rows) {
        lines.push_back("      <optical>");
        for (const auto& [name, value] : row) lines.push_back(element(4, name, value));
        lines.push_back("      </optical>");
    }
    lines.insert(lines.end(), {"    </obsData>", "  </obsBlock>", "</ades>"});
    return lines;
}

}  // namespace

std::optional<AdesFormat> adesFormatFor(std::string_view path) {
    const auto dot = path.find_last_of("./");
    if (dot == std::string_view::npos || path[dot] != '.') return std::nullopt;
    const std::string extension = asciiLower(path.substr(dot + 1));
    if (extension == "psv") return AdesFormat::Psv;
    if (extension == "xml") return AdesFormat::Xml;
    return std::nullopt;
}

Outcome<std::string> adesReport(const ObserverSettings& settings, std::span<const ReportedMeasurement> measurements,
                                AdesFormat format) {
    using Report = Outcome<std::string>;
    if (const auto problems = settingsProblems(settings, ReportFormat::Ades); !problems.empty()) {
        std::string reasons;
        for (const auto& problem : problems) reasons += (reasons.empty() ? "" : " ") + problem;
        return Report::refused(reasons);
    }
    if (measurements.empty()) return Report::refused("There is no observation to report.");
    std::vector<std::vector<Field>> rows;
    for (std::size_t i = 0; i < measurements.size(); ++i) {
        if (const std::string problem = measurementProblem(measurements[i]); !problem.empty())
            return Report::refused("Observation " + std::to_string(i + 1) + ": " + problem);
        rows.push_back(opticalOf(measurements[i], settings));
    }
    const auto context = contextOf(settings);
    return joinLinesCrLf(format == AdesFormat::Psv ? psvLines(context, rows) : xmlLines(context, rows));
}

}  // namespace sextrix
