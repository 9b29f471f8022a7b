#include "kept_measurements_file.h"

#include <array>
#include <cstdio>
#include <optional>

#include "state/errors.h"
#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

constexpr std::string_view kFirstLine = "# Velorin Sextrix measurements, version 1";
constexpr std::array<std::string_view, 17> kColumns{
    "image",          "x",           "y",     "ra_deg",       "dec_deg",      "rms_ra_arcsec",
    "rms_dec_arcsec", "snr",         "mag",   "rms_mag",      "saturated",    "mjd_utc",
    "catalogue",      "designation", "known", "oc_ra_arcsec", "oc_dec_arcsec"};
constexpr std::array kCatalogues{Catalogue::UsnoA2, Catalogue::Ucac4, Catalogue::GaiaDr3};

std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else
            out += c;
    }
    return out;
}

std::optional<std::string> unescaped(std::string_view text) {
    std::string out;
    for (std::size_t k = 0; k < text.size(); ++k) {
        if (text[k] != '\\') {
            out += text[k];
            continue;
        }
        if (++k == text.size()) return std::nullopt;
        switch (text[k]) {
            case '\\': out += '\\'; break;
            case 't': out += '\t'; break;
            case 'n': out += '\n'; break;
            case 'r': out += '\r'; break;
            default: return std::nullopt;
        }
    }
    return out;
}

std::string number(double value) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string number(const std::optional<double>& value) { return value ? number(*value) : std::string(); }

template <class Texts>
std::string tabJoined(const Texts& texts) {
    std::string line;
    for (bool first = true; const auto& text : texts) {
        if (!first) line += '\t';
        line += text;
        first = false;
    }
    return line;
}

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> parts;
    for (std::size_t start = 0;;) {
        const auto tab = line.find('\t', start);
        parts.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return parts;
        start = tab + 1;
    }
}

// One line's fields, read in column order; the first fault stops it.
class FieldReader {
public:
    explicit FieldReader(std::vector<std::string_view> fields) : fields_(std::move(fields)) {}

    std::string fault;

    std::optional<double> optionalNumber() {
        const std::string_view text = next();
        if (text.empty()) return std::nullopt;
        std::optional<double> value;
        try {
            value = tryParseStrictNumber(text, '.');
        } catch (const OverflowError&) {
        }
        if (!value) fail("\"" + std::string(text) + "\" is not a number (" + std::string(kColumns[index_ - 1]) + ")");
        return value;
    }
    double number() {
        const std::size_t column = index_;
        const auto value = optionalNumber();
        if (!value && fault.empty()) fail("no " + std::string(kColumns[column]));
        return value.value_or(0);
    }
    std::string text() {
        const std::string_view raw = next();
        const auto value = unescaped(raw);
        if (!value) fail("\"" + std::string(raw) + "\" has a backslash that stands for nothing");
        return value.value_or(std::string());
    }
    bool flag() {
        const std::string_view text = next();
        if (text != "0" && text != "1") fail(std::string(kColumns[index_ - 1]) + " is neither 0 nor 1");
        return text == "1";
    }
    Catalogue catalogue() {
        const std::string_view text = next();
        for (Catalogue c : kCatalogues)
            if (adesName(c) == text) return c;
        fail("\"" + std::string(text) + "\" is not a catalogue (USNOA2, UCAC4 or Gaia3)");
        return Catalogue::UsnoA2;
    }

private:
    std::string_view next() { return index_ < fields_.size() ? fields_[index_++] : std::string_view(); }
    void fail(std::string why) {
        if (fault.empty()) fault = std::move(why);
    }
    std::vector<std::string_view> fields_;
    std::size_t index_ = 0;
};

}  // namespace

std::string measurementsPathFor(const std::string& projectPath) { return projectPath + ".measurements"; }

std::string keptMeasurementsText(const std::vector<KeptMeasurement>& measurements) {
    std::vector<std::string> lines{std::string(kFirstLine)};
    lines.push_back(tabJoined(kColumns));
    for (const KeptMeasurement& m : measurements) {
        const TargetMeasurement& t = m.target;
        const std::array<std::string, kColumns.size()> values{
            escaped(m.image),
            number(t.x),
            number(t.y),
            number(t.raDeg),
            number(t.decDeg),
            number(t.sigmaRaCosDecArcsec),
            number(t.sigmaDecArcsec),
            number(t.snr),
            number(t.mag),
            t.mag ? number(t.sigmaMag) : std::string(),
            t.saturated ? "1" : "0",
            number(m.mjdUtc),
            std::string(adesName(m.catalogue)),
            escaped(m.designation),
            m.known ? escaped(m.known->designation) : std::string(),
            m.known ? number(m.known->ocRaCosDecArcsec) : std::string(),
            m.known ? number(m.known->ocDecArcsec) : std::string()};
        lines.push_back(tabJoined(values));
    }
    return joinLinesCrLf(lines);
}

Result<std::vector<KeptMeasurement>> readKeptMeasurements(std::string_view text, const std::string& file) {
    const std::vector<std::string> lines = splitLines(text);
    auto error = [&file](int line, std::string cause) { return ReadError{.file = file, .line = line, .cause = cause}; };
    if (lines.empty() || lines[0] != kFirstLine)
        return error(1, "not a measurements file of this version (\"" + std::string(kFirstLine) + "\")");
    if (lines.size() < 2 || lines[1] != tabJoined(kColumns))
        return error(2, "the column names are not the expected ones");

    std::vector<KeptMeasurement> measurements;
    for (std::size_t k = 2; k < lines.size(); ++k) {
        const int lineNumber = static_cast<int>(k) + 1;
        if (lines[k].empty()) continue;
        const auto parts = fields(lines[k]);
        if (parts.size() != kColumns.size())
            return error(lineNumber,
                         std::to_string(parts.size()) + " fields instead of " + std::to_string(kColumns.size()));
        FieldReader read(parts);
        KeptMeasurement m;
        TargetMeasurement& t = m.target;
        m.image = read.text();
        t.x = read.number();
        t.y = read.number();
        t.raDeg = read.number();
        t.decDeg = read.number();
        t.sigmaRaCosDecArcsec = read.number();
        t.sigmaDecArcsec = read.number();
        t.snr = read.number();
        t.mag = read.optionalNumber();
        t.sigmaMag = read.optionalNumber().value_or(0);
        t.saturated = read.flag();
        m.mjdUtc = read.optionalNumber();
        m.catalogue = read.catalogue();
        m.designation = read.text();
        const std::string known = read.text();
        const auto ocRa = read.optionalNumber(), ocDec = read.optionalNumber();
        if (!known.empty()) {
            if (!ocRa || !ocDec) return error(lineNumber, "the listed asteroid " + known + " has no O-C");
            m.known = AsteroidMatch{known, *ocRa, *ocDec};
        }
        if (!read.fault.empty()) return error(lineNumber, read.fault);
        if (!(t.raDeg >= 0 && t.raDeg < 360) || !(t.decDeg >= -90 && t.decDeg <= 90))
            return error(lineNumber, "the position is not on the sky");
        measurements.push_back(std::move(m));
    }
    return measurements;
}

}  // namespace sextrix
