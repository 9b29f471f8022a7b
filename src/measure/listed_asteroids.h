#pragma once
// Which known asteroid a measurement is: the nearest listed one within a
// radius of the measured position, with the measurement's O-C.
#include <optional>
#include <span>
#include <string>

namespace sextrix {

struct ListedAsteroid {
    std::string designation;       // as the user would type it: "433", "2024 AB12"
    double raDeg = 0, decDeg = 0;  // predicted for the frame's time, J2000.0
};

struct AsteroidMatch {
    std::string designation;
    double ocRaCosDecArcsec = 0;  // observed minus computed
    double ocDecArcsec = 0;
};

// Nothing when no listed asteroid lies within radiusArcsec.
std::optional<AsteroidMatch> nearestListedAsteroid(double raDeg, double decDeg, std::span<const ListedAsteroid> listed,
                                                   double radiusArcsec = 20);

// The designation of a line of the asteroid list: its number when it has
// one, else its name with the year set apart ("2024AB12" -> "2024 AB12").
std::string listedDesignation(const std::string& number, const std::string& name);

}  // namespace sextrix
