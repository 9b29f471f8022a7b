#include "fieldsim/star_placement.h"

#include <cmath>

#include "fieldsim/seeded_random.h"

namespace sextrix::fieldsim {
namespace {

// Inverse of the cumulative count N(<m) ~ 10^(slope m) between two limits.
double countWeightedMagnitude(double bright, double faint, double u) {
    constexpr double kSlope = 0.3;
    const double span = std::pow(10.0, kSlope * (faint - bright)) - 1.0;
    return bright + std::log10(1.0 + u * span) / kSlope;
}

bool clearOf(const std::vector<PlacedStar>& listed, PixelPoint at, double clearance) {
    for (const auto& star : listed)
        if (std::hypot(star.at.x - at.x, star.at.y - at.y) < clearance) return false;
    return true;
}

}  // namespace

double starFlux(const FieldSetup& setup, double mag) { return std::pow(10.0, -0.4 * (mag - setup.zeroPointMag)); }

std::vector<PlacedStar> placeStars(const FieldSetup& setup, const std::vector<CatalogueStar>& stars) {
    checkSetup(setup);
    std::vector<PlacedStar> placed;
    for (const auto& star : stars)
        if (auto at = skyToImage(setup, star.raDeg, star.decDeg)) placed.push_back({*at, star.mag, true});

    const std::vector<PlacedStar> listed = placed;
    SeededRandom random(setup.seed);
    // A crowded setup may leave no clear place; such a star is left out
    // rather than searched for without end.
    constexpr int kAttempts = 50;
    for (int i = 0; i < setup.extraStars; ++i) {
        for (int attempt = 0; attempt < kAttempts; ++attempt) {
            const PixelPoint at{random.uniform() * setup.width - 0.5, random.uniform() * setup.height - 0.5};
            const double mag = countWeightedMagnitude(setup.extraMagBright, setup.extraMagFaint, random.uniform());
            if (clearOf(listed, at, setup.extraClearancePx)) {
                placed.push_back({at, mag, false});
                break;
            }
        }
    }
    return placed;
}

}  // namespace sextrix::fieldsim
