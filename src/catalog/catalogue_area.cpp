#include "catalogue_area.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>

#include "geometry/angles.h"
#include "state/angle_units.h"
#include "state/text_file.h"
#include "state/text_lines.h"
#include "state/text_number.h"

namespace sextrix {
namespace {

std::string fingerprint(std::string_view bytes) {
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes) hash = (hash ^ c) * 1099511628211ull;
    char text[40];
    std::snprintf(text, sizeof text, "%zu %016llx", bytes.size(), static_cast<unsigned long long>(hash));
    return text;
}

std::optional<double> numberOf(const std::string& text) {
    const std::optional<double> value = tryParseStrictNumber(text, '.');
    if (value && std::isfinite(*value)) return value;
    return std::nullopt;
}

}  // namespace

std::string catalogueAreaPath(const std::string& answerPath) {
    return std::filesystem::path(answerPath).replace_extension(".area").string();
}

std::string formatCatalogueArea(const CatalogueArea& area, std::string_view answer) {
    return joinLinesCrLf({"# The area of the star answer beside this file", "ra=" + numberToText(area.raDeg, '.'),
                          "dec=" + numberToText(area.decDeg, '.'), "radius=" + numberToText(area.radiusArcmin, '.'),
                          "mag=" + numberToText(area.magLimit, '.'), "service=" + area.service,
                          "answer=" + fingerprint(answer)});
}

Result<std::optional<CatalogueArea>> readCatalogueArea(std::string_view text, const std::string& file,
                                                       std::string_view answer) {
    CatalogueArea area;
    struct Number {
        const char* key;
        std::optional<double> value;
    };
    Number numbers[] = {{"ra", {}}, {"dec", {}}, {"radius", {}}, {"mag", {}}};
    bool service = false;
    std::optional<bool> sameAnswer;
    std::optional<ReadError> failure;  // the first, reported when the area is this answer's
    const auto fail = [&](int line, std::string cause) {
        if (!failure) failure = ReadError{.file = file, .line = line, .cause = std::move(cause)};
    };
    // Lines end at LF, with or without CR: the file may have been saved by an editor.
    int number = 0;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line(text.substr(start, end - start));
        start = end + 1;
        ++number;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line.front() == '#') continue;
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos) {
            fail(number, "not a line key=value");
            continue;
        }
        const std::string key = line.substr(0, eq), value = line.substr(eq + 1);
        if (key == "service") {
            area.service = value, service = true;
        } else if (key == "answer") {
            sameAnswer = value == fingerprint(answer);
        } else {
            for (Number& n : numbers) {
                if (key != n.key) continue;
                n.value = numberOf(value);
                if (!n.value)
                    fail(number, key + " is not a number: \"" + value + "\"");
                else if (key == "dec" && std::abs(*n.value) > 90)
                    fail(number, "dec beyond 90 degrees");
                else if (key == "radius" && *n.value < 0)
                    fail(number, "a negative radius");
            }
        }
    }
    if (sameAnswer == false) return std::optional<CatalogueArea>();
    if (failure) return *failure;
    for (const Number& n : numbers)
        if (!n.value) return ReadError{.file = file, .cause = std::string("the line ") + n.key + "= is missing"};
    if (!service) return ReadError{.file = file, .cause = "the line service= is missing"};
    if (!sameAnswer) return ReadError{.file = file, .cause = "the line answer= is missing"};
    area.raDeg = *numbers[0].value, area.decDeg = *numbers[1].value;
    area.radiusArcmin = *numbers[2].value, area.magLimit = *numbers[3].value;
    return std::optional<CatalogueArea>(area);
}

Result<std::optional<CatalogueArea>> areaBeside(const std::string& answerPath, std::string_view answer) {
    const std::string path = catalogueAreaPath(answerPath);
    if (!fileExists(path)) return std::optional<CatalogueArea>();
    return readFileBytes(path).andThen([&](std::string text) { return readCatalogueArea(text, path, answer); });
}

double angularSeparationDeg(double ra1, double dec1, double ra2, double dec2) {
    // The haversine form keeps its precision for small separations.
    const double sinDec = std::sin(toRadians(dec2 - dec1) / 2), sinRa = std::sin(toRadians(ra2 - ra1) / 2);
    const double h = sinDec * sinDec + std::cos(toRadians(dec1)) * std::cos(toRadians(dec2)) * sinRa * sinRa;
    return toDegrees(2 * std::asin(std::sqrt(std::clamp(h, 0.0, 1.0))));
}

double halfDiagonalDeg(int width, int height, double pixelsPerDegree) {
    if (width <= 0 || height <= 0 || !(std::abs(pixelsPerDegree) > 0)) return 0;
    return std::hypot(width, height) / 2 / std::abs(pixelsPerDegree);
}

bool centreOutsideArea(const CatalogueArea& area, double raDeg, double decDeg, double halfDiagonal) {
    const double radius = area.radiusArcmin / 60;
    const double allowed = std::max(radius - halfDiagonal, radius / 10);
    return angularSeparationDeg(area.raDeg, area.decDeg, raDeg, decDeg) > allowed;
}

std::string positionText(double raDeg, double decDeg) {
    return FormatDms(withinOneTurn(raDeg) / 15, "h") + " " + FormatDms(decDeg, "°");
}

}  // namespace sextrix
