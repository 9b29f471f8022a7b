#include "fieldsim/star_csv.h"

#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string>

namespace sextrix::fieldsim {
namespace {

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

[[noreturn]] void fail(int lineNumber, const std::string& what) {
    throw std::invalid_argument("star list, line " + std::to_string(lineNumber) + ": " + what);
}

double number(std::string_view field, int lineNumber) {
    field = trimmed(field);
    double value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (field.empty() || error != std::errc() || end != field.data() + field.size() || !std::isfinite(value))
        fail(lineNumber, "\"" + std::string(field) + "\" is not a number");
    return value;
}

}  // namespace

std::vector<CatalogueStar> readStarCsv(std::string_view text) {
    std::vector<CatalogueStar> stars;
    int lineNumber = 0;
    bool headerSeen = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++lineNumber;
        if (line.empty()) continue;
        if (!headerSeen) {
            if (line != "ra_deg,dec_deg,mag_vt") fail(lineNumber, "expected the header ra_deg,dec_deg,mag_vt");
            headerSeen = true;
            continue;
        }
        const std::size_t first = line.find(',');
        const std::size_t second = first == std::string_view::npos ? first : line.find(',', first + 1);
        if (second == std::string_view::npos || line.find(',', second + 1) != std::string_view::npos)
            fail(lineNumber, "expected three values");
        CatalogueStar star{number(line.substr(0, first), lineNumber),
                           number(line.substr(first + 1, second - first - 1), lineNumber),
                           number(line.substr(second + 1), lineNumber)};
        if (std::fabs(star.decDeg) > 90) fail(lineNumber, "declination beyond 90 degrees");
        stars.push_back(star);
    }
    return stars;
}

}  // namespace sextrix::fieldsim
