#include "skybot_asteroids.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "service_text.h"
#include "state/angle_units.h"

namespace sextrix {
namespace {

constexpr std::size_t kNameWidth = 15;
constexpr int kTrailerLines = 40;  // " </pre>" and what follows it

std::vector<std::string_view> cells(std::string_view line) {
    std::vector<std::string_view> out;
    for (;;) {
        const auto bar = line.find('|');
        out.push_back(trimmed(line.substr(0, bar)));
        if (bar == std::string_view::npos) return out;
        line.remove_prefix(bar + 1);
    }
}

// "hh mm ss.ss" or "+dd mm ss.s" as a number of the first unit; the sign is
// taken from the text, so "-00 30 00" is -0.5.
std::optional<double> sexagesimal(std::string_view text) {
    text = trimmed(text);
    const bool south = !text.empty() && text.front() == '-';
    double parts[3];
    for (double& part : parts) {
        text = trimmed(text);
        const auto end = text.find_first_of(" \t");
        const auto number = cellNumber(text.substr(0, end));
        if (!number) return std::nullopt;
        part = std::fabs(*number);
        text = end == std::string_view::npos ? std::string_view() : text.substr(end);
    }
    if (!trimmed(text).empty() || parts[1] >= 60 || parts[2] >= 60) return std::nullopt;
    const double value = parts[0] + parts[1] / 60 + parts[2] / 3600;
    return south ? -value : value;
}

struct Asteroid {
    std::string number;  // empty when unnumbered
    std::string name;
    double ra, dec;  // degrees
    double v;
    std::optional<double> motionRa, motionDec;  // arcseconds per hour; none at the "object" level
    double distance;                            // radians from the centre
};

std::string twoDigits(long long n) {
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

std::string raText(double raDeg) {
    // 0.1 s of time, within 0..24 h also for a centre given outside it.
    const long long tenths = std::isfinite(raDeg) ? (std::llround(raDeg / 15 * 36000) % 864000 + 864000) % 864000 : 0;
    return twoDigits(tenths / 36000) + " " + twoDigits(tenths / 600 % 60) + " " + twoDigits(tenths % 600 / 10) + "." +
           static_cast<char>('0' + tenths % 10);
}

std::string decText(double decDeg) {
    const long long seconds = std::isfinite(decDeg) ? std::llround(std::min(std::fabs(decDeg), 90.0) * 3600) : 0;
    return std::string(decDeg < 0 && seconds > 0 ? "-" : "+") + twoDigits(seconds / 3600) + " " +
           twoDigits(seconds / 60 % 60) + " " + twoDigits(seconds % 60);
}

std::string motionText(double arcsecPerHour) {
    const double whole = std::round(arcsecPerHour);
    if (std::fabs(whole) > 99) return whole < 0 ? "-**" : "+**";
    std::string text = fixedText(whole, 0);
    if (text.front() != '-') text.insert(0, "+");
    return std::string(3 - text.size(), ' ') + text;
}

std::string offsetText(double arcmin, char positive, char negative) {
    const double shown = std::min(std::fabs(arcmin), 999.9);
    return *fixedField(shown, 1, 5) + (arcmin >= 0 ? positive : negative);
}

struct Tangent {
    double xi, eta;   // arcminutes, east and north
    double distance;  // radians
};

Tangent tangentOffsets(const AsteroidCone& cone, double raDeg, double decDeg) {
    const double d0 = toRadians(cone.decDeg), d = toRadians(decDeg), da = toRadians(raDeg - cone.raDeg);
    const double x = std::cos(d) * std::sin(da);
    const double y = std::sin(d) * std::cos(d0) - std::cos(d) * std::sin(d0) * std::cos(da);
    const double z = std::sin(d) * std::sin(d0) + std::cos(d) * std::cos(d0) * std::cos(da);
    const double toArcmin = toDegrees(60);
    // Beyond 90 degrees the tangent plane has no point; the column then shows its limit.
    const double scale = z > 1e-9 ? toArcmin / z : 1e9;
    return {x * scale, y * scale, std::atan2(std::hypot(x, y), z)};
}

std::string asteroidLine(const AsteroidCone& cone, const Asteroid& a) {
    std::string line(81, ' ');
    if (!a.number.empty()) {
        const std::string number = a.number.size() < 7 ? "(" + a.number : a.number;
        putColumn(line, 8 - number.size(), number);
        putColumn(line, 8, ")");
    }
    putColumn(line, 10, a.name.substr(0, kNameWidth));
    putColumn(line, 26, raText(a.ra));
    putColumn(line, 37, decText(a.dec));
    putColumn(line, 48, fixedField(a.v, 1, 4).value_or("    "));
    const Tangent t = tangentOffsets(cone, a.ra, a.dec);
    putColumn(line, 54, offsetText(t.xi, 'E', 'W'));
    putColumn(line, 61, offsetText(t.eta, 'N', 'S'));
    // Left blank when the answer gave no motion: the details then say it is unknown.
    if (a.motionRa) putColumn(line, 70, motionText(*a.motionRa));
    if (a.motionDec) putColumn(line, 77, motionText(*a.motionDec));
    while (!line.empty() && line.back() == ' ') line.pop_back();
    return line;
}

std::string page(const AsteroidCone& cone, const std::vector<Asteroid>& asteroids) {
    std::vector<std::string> lines = {
        "<html><head><title>Minor planets in the field</title></head>",
        "<body>",
        "<h2>Minor planets in the field</h2>",
        "<p>From a SkyBoT cone search (IMCCE), geocentric, J2000.0.</p>",
        "<p>Epoch JD " + fixedText(cone.julianDate, 5) + " UTC.</p>",
        "<p>Centre RA " + raText(cone.raDeg) + ", Dec " + decText(cone.decDeg) + ", radius " +
            trimmedText(cone.radiusArcmin, 2) + "'.</p>",
        "<p>V to " + trimmedText(cone.magLimit, 2) + ": " + std::to_string(asteroids.size()) +
            " objects, nearest the centre first.</p>",
        "<p>Offsets in arcminutes, motions in arcseconds per hour.</p>",
        "",
        "",
        "",
        "<pre>Object designation         R.A.      Decl.     V       Offsets     Motion/hr",
        "                          h  m  s     d  '  \"        R.A.   Decl.  R.A.   Decl.",
    };
    for (const Asteroid& a : asteroids) lines.push_back(asteroidLine(cone, a));
    lines.push_back(" </pre>");
    lines.push_back("</body></html>");
    while (lines.size() < 13 + asteroids.size() + kTrailerLines) lines.push_back("");
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

struct HeadingColumns {
    std::size_t count, number, name, ra, dec, v;
    std::optional<std::size_t> motionRa, motionDec;  // both or neither
};

std::optional<HeadingColumns> heading(std::string_view line) {
    if (line.empty() || line.front() != '#') return std::nullopt;
    const std::vector<std::string_view> names = cells(line.substr(1));
    const auto find = [&](std::string_view name) -> std::optional<std::size_t> {
        const auto it = std::find(names.begin(), names.end(), name);
        if (it == names.end()) return std::nullopt;
        return static_cast<std::size_t>(it - names.begin());
    };
    const auto number = find("Num"), name = find("Name"), ra = find("RA(h)"), dec = find("DE(deg)"), v = find("Mv"),
               dra = find("dRA(arcsec/h)"), ddec = find("dDEC(arcsec/h)");
    if (!number || !name || !ra || !dec || !v || dra.has_value() != ddec.has_value()) return std::nullopt;
    return HeadingColumns{names.size(), *number, *name, *ra, *dec, *v, dra, ddec};
}

// An unnumbered object's Num: "-", or the dash "\u2013" of some answers.
bool isUnnumbered(std::string_view number) { return number == "-" || number == "\xE2\x80\x93"; }

ReadError refused(std::size_t line, std::string cause) {
    return ReadError{.file = std::string(kSkybotAnswer), .line = static_cast<int>(line), .cause = std::move(cause)};
}

// The object of a line (1-based number lineNumber).
Result<Asteroid> readObject(const HeadingColumns& h, std::string_view line, std::size_t lineNumber,
                            const AsteroidCone& cone) {
    const std::vector<std::string_view> cell = cells(line);
    if (cell.size() != h.count)
        return refused(lineNumber,
                       std::to_string(cell.size()) + " cells where the heading has " + std::to_string(h.count));
    Asteroid a;
    const std::string_view number = cell[h.number];
    if (!isUnnumbered(number)) {
        if (number.empty() || number.size() > 7 || number.find_first_not_of("0123456789") != std::string_view::npos)
            return refused(lineNumber, "a number that is neither digits nor \"-\"");
        a.number = std::string(number);
    }
    a.name = std::string(cell[h.name]);
    // A CR would end the reader's line in the middle of the record.
    std::replace_if(
        a.name.begin(), a.name.end(), [](char c) { return c >= 0 && c < ' '; }, ' ');
    const auto raHours = sexagesimal(cell[h.ra]), dec = sexagesimal(cell[h.dec]);
    const auto v = cellNumber(cell[h.v]);
    if (a.name.empty()) return refused(lineNumber, "no name");
    if (!raHours || !dec || *raHours < 0 || *raHours >= 24 || std::fabs(*dec) > 90)
        return refused(lineNumber, "a position that is not a number or out of range");
    if (!v) return refused(lineNumber, "a magnitude that is not a number");
    if (h.motionRa) {
        a.motionRa = cellNumber(cell[*h.motionRa]);
        a.motionDec = cellNumber(cell[*h.motionDec]);
        if (!a.motionRa || !a.motionDec) return refused(lineNumber, "a motion that is not a number");
    }
    a.ra = *raHours * 15;
    a.dec = *dec;
    a.v = *v;
    a.distance = tangentOffsets(cone, a.ra, a.dec).distance;
    return a;
}

}  // namespace

double julianDateUtc(int year, int month, double dayWithFraction) {
    if (month <= 2) {
        year -= 1;
        month += 12;
    }
    const double a = std::floor(year / 100.0);
    const double b = 2 - a + std::floor(a / 4);
    return std::floor(365.25 * (year + 4716)) + std::floor(30.6001 * (month + 1)) + dayWithFraction + b - 1524.5;
}

std::string skybotUrl(const std::string& address, const AsteroidCone& cone) {
    return serviceUrl(address,
                      "/webservices/skybot/api/conesearch.php?-ep=" + queryEncoded(trimmedText(cone.julianDate, 5)) +
                          "&-ra=" + queryEncoded(fixedText(cone.raDeg, 6)) +
                          "&-dec=" + queryEncoded(fixedText(cone.decDeg, 6)) +
                          "&-rd=" + queryEncoded(trimmedText(cone.radiusArcmin / 60, 6)) +
                          "&-mime=text&-output=basic&-loc=500&-filter=0&-objFilter=100&-refsys=EQJ2000"
                          "&-from=VelorinSextrix");
}

bool skybotAnswerEnded(std::string_view body) { return body.ends_with('\n'); }

Result<std::string> asteroidAnswerFromSkybot(std::string_view body, const AsteroidCone& cone) {
    const std::vector<std::string_view> lines = bodyLines(body);
    if (lines.empty()) return refused(0, "empty");
    if (!skybotAnswerEnded(body)) return refused(lines.size(), "cut inside the line");
    const std::string_view flagLine = trimmed(lines[0]);
    constexpr std::string_view kFlag = "# Flag:";
    if (flagLine.substr(0, kFlag.size()) != kFlag) return refused(1, "no \"# Flag:\" line");
    const auto flag = cellNumber(flagLine.substr(kFlag.size()));
    if (flag == 0.0) return page(cone, {});
    if (flag != 1.0) return refused(1, "the flag of an error: " + std::string(flagLine));

    std::size_t at = 1;
    std::optional<HeadingColumns> columns;
    for (; at < lines.size() && !columns; ++at) {
        if (lines[at].empty() || lines[at].front() != '#')
            return refused(at + 1, "no heading with the Num, Name, RA(h), DE(deg) and Mv cells before the objects");
        columns = heading(lines[at]);
    }
    if (!columns) return refused(0, "no heading with the Num, Name, RA(h), DE(deg) and Mv cells");

    std::vector<Asteroid> asteroids;
    for (; at < lines.size(); ++at) {
        if (trimmed(lines[at]).empty()) continue;
        Result<Asteroid> a = readObject(*columns, lines[at], at + 1, cone);
        if (!a) return std::move(a).error();
        if (a->v <= cone.magLimit) asteroids.push_back(std::move(*a));
    }
    std::stable_sort(asteroids.begin(), asteroids.end(),
                     [](const Asteroid& x, const Asteroid& y) { return x.distance < y.distance; });
    if (asteroids.size() > static_cast<std::size_t>(kSkybotMaxObjects)) asteroids.resize(kSkybotMaxObjects);
    return page(cone, asteroids);
}

}  // namespace sextrix
