#include "fieldsim/catalogue_answer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <numbers>
#include <set>
#include <stdexcept>
#include <string_view>

namespace sextrix::fieldsim {
namespace {

constexpr std::size_t kRecordLength = 66;
constexpr std::size_t kMostRecords = 9999;
constexpr double kDegToRad = std::numbers::pi / 180.0;

// Writes text at 1-based column first of a blank line.
void put(std::string& line, std::size_t first, std::string_view text) { line.replace(first - 1, text.size(), text); }

// printf of one number into exactly width characters.
std::string fixed(const char* format, double value, std::size_t width, const char* what) {
    char buffer[64];
    const int n = std::snprintf(buffer, sizeof buffer, format, value);
    if (n != static_cast<int>(width)) throw std::invalid_argument(std::string("star list: ") + what + " does not fit");
    return buffer;
}

double normalisedRa(double raDeg) {
    double ra = std::fmod(raDeg, 360.0);
    if (ra < 0) ra += 360.0;
    // A value that prints as 360.00000 is 0 h.
    if (ra >= 360.0 - 0.5e-5) ra = 0.0;
    return ra;
}

int zoneOf(double decDeg) { return std::min(1725, 75 * static_cast<int>(std::floor((decDeg + 90.0) / 7.5))); }

// Unique numbers within each zone, growing with right ascension.
class Identifiers {
public:
    std::string next(double raDeg, double decDeg) {
        const int zone = zoneOf(decDeg);
        long number = static_cast<long>(std::floor(raDeg * 36000.0));
        auto& used = used_[zone];
        while (!used.insert(number).second) ++number;
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "U%04d_%08ld", zone, number);
        return buffer;
    }

private:
    std::map<int, std::set<long>> used_;
};

struct Offset {
    double arcmin;
    double paDeg;
};

// Angular distance and position angle (east of north) from the centre.
Offset offsetFromCentre(const FieldSetup& setup, double raDeg, double decDeg) {
    const double d0 = setup.centreDecDeg * kDegToRad, d = decDeg * kDegToRad;
    const double da = (raDeg - setup.centreRaDeg) * kDegToRad;
    const double y = std::sin(da) * std::cos(d);
    const double x = std::cos(d0) * std::sin(d) - std::sin(d0) * std::cos(d) * std::cos(da);
    const double z = std::sin(d0) * std::sin(d) + std::cos(d0) * std::cos(d) * std::cos(da);
    double pa = std::atan2(y, x) / kDegToRad;
    if (pa < 0) pa += 360.0;
    return {std::atan2(std::hypot(x, y), z) / kDegToRad * 60.0, pa};
}

void checkStar(const CatalogueStar& star, std::size_t index, const char* order) {
    const std::string which = " of star " + std::to_string(index + 1) + order;
    if (!std::isfinite(star.raDeg) || !std::isfinite(star.decDeg) || std::fabs(star.decDeg) > 90)
        throw std::invalid_argument("star list: bad position" + which);
    if (!std::isfinite(star.mag)) throw std::invalid_argument("star list: bad magnitude" + which);
}

std::string record(const FieldSetup& setup, int sequence, const std::string& id, const CatalogueStar& star) {
    const Offset offset = offsetFromCentre(setup, star.raDeg, star.decDeg);
    std::string line(kRecordLength - 1, ' ');
    put(line, 1, fixed("%4.0f", sequence, 4, "sequence number"));
    put(line, 6, id);
    put(line, 21, fixed("%9.5f", normalisedRa(star.raDeg), 9, "right ascension"));
    put(line, 31, fixed("%+9.5f", star.decDeg, 9, "declination"));
    put(line, 41, fixed("%4.1f", star.mag + kRedMinusVisual, 4, "red magnitude"));
    put(line, 46, fixed("%4.1f", star.mag + kBlueMinusVisual, 4, "blue magnitude"));
    // These two columns are for the reader's eye only; a far star shows 999.99'.
    put(line, 51, fixed("%6.2f", std::min(offset.arcmin, 999.99), 6, "distance"));
    put(line, 58, fixed("%5.1f", offset.paDeg < 359.95 ? offset.paDeg : 0.0, 5, "position angle"));
    return line + '\n';
}

std::string heading() {
    std::string line(kRecordLength - 1, ' ');
    put(line, 1, "   #");
    put(line, 6, "Identifier");
    put(line, 21, "RA J2000");
    put(line, 31, "Dec J2000");
    put(line, 41, "MagR");
    put(line, 46, "MagB");
    put(line, 51, "Dist'");
    put(line, 60, "PA");
    return line;
}

}  // namespace

std::vector<CatalogueStar> brightestFirst(std::vector<CatalogueStar> stars) {
    // A magnitude that is not a number sorts last, keeping the order strict.
    auto key = [](const CatalogueStar& s) { return std::isnan(s.mag) ? HUGE_VAL : s.mag; };
    std::stable_sort(stars.begin(), stars.end(),
                     [&](const CatalogueStar& a, const CatalogueStar& b) { return key(a) < key(b); });
    return stars;
}

std::vector<std::string> serviceIdentifiers(const std::vector<CatalogueStar>& ordered) {
    Identifiers identifiers;
    std::vector<std::string> ids;
    for (std::size_t i = 0; i < ordered.size(); ++i) {
        checkStar(ordered[i], i, " (brightest first)");
        ids.push_back(identifiers.next(normalisedRa(ordered[i].raDeg), ordered[i].decDeg));
    }
    return ids;
}

std::string catalogueAnswer(const FieldSetup& setup, const std::vector<CatalogueStar>& stars) {
    if (stars.size() > kMostRecords) throw std::invalid_argument("star list: more than 9999 stars");
    for (std::size_t i = 0; i < stars.size(); ++i) checkStar(stars[i], i, "");
    const std::vector<CatalogueStar> ordered = brightestFirst(stars);
    const std::vector<std::string> ids = serviceIdentifiers(ordered);

    char centre[128];
    std::snprintf(centre, sizeof centre, "Centre RA %.5f Dec %+.5f (J2000.0), %zu stars, brightest first\n",
                  normalisedRa(setup.centreRaDeg), setup.centreDecDeg, ordered.size());
    std::string page = "<html>\n<head><title>Star list (simulated field)</title></head>\n<body>\n<pre>\n";
    page += centre;
    page += "<b>" + heading() + "\n</b>";
    for (std::size_t i = 0; i < ordered.size(); ++i) page += record(setup, static_cast<int>(i) + 1, ids[i], ordered[i]);
    return page + "</pre>\n</body>\n</html>\n";
}

}  // namespace sextrix::fieldsim
