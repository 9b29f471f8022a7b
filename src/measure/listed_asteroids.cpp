#include "listed_asteroids.h"

#include <cctype>
#include <cmath>
#include <numbers>

namespace sextrix {

std::optional<AsteroidMatch> nearestListedAsteroid(double raDeg, double decDeg, std::span<const ListedAsteroid> listed,
                                                   double radiusArcsec) {
    std::optional<AsteroidMatch> best;
    double bestDistance = radiusArcsec;
    const double cosDec = std::cos(decDeg * std::numbers::pi / 180);
    for (const auto& a : listed) {
        const double dRa = std::remainder(raDeg - a.raDeg, 360.0) * cosDec * 3600;
        const double dDec = (decDeg - a.decDeg) * 3600;
        const double distance = std::hypot(dRa, dDec);
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = AsteroidMatch{a.designation, dRa, dDec};
        }
    }
    return best;
}

std::string listedDesignation(const std::string& number, const std::string& name) {
    std::string digits;
    for (char c : number)
        if (std::isdigit(static_cast<unsigned char>(c))) digits += c;
    if (!digits.empty()) return digits;
    const bool yearFirst = name.size() > 4 && std::isdigit(static_cast<unsigned char>(name[0])) &&
                           std::isdigit(static_cast<unsigned char>(name[3])) &&
                           std::isalpha(static_cast<unsigned char>(name[4]));
    return yearFirst ? name.substr(0, 4) + " " + name.substr(4) : name;
}

}  // namespace sextrix
