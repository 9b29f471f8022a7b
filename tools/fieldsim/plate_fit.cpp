#include "fieldsim/plate_fit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

#include "fieldsim/sky_projection.h"

namespace sextrix::fieldsim {
namespace {

constexpr int kGridStep = 10;

// Grid coordinates along one side: 0, 10, 20, ... and the last pixel.
std::vector<double> gridAlong(int size) {
    std::vector<double> at;
    for (int i = 0; i < size - 1; i += kGridStep) at.push_back(i);
    at.push_back(size - 1);
    return at;
}

// Right ascension within 180 degrees of the centre's.
double raNearCentre(double raDeg, double centreRaDeg) {
    return centreRaDeg + std::remainder(raDeg - centreRaDeg, 360.0);
}

struct ScaledSky {
    double X, Y;
};

ScaledSky scaledSkyAt(const FieldSetup& setup, double x, double y) {
    const SkyPoint sky = imageToSky(setup, x, y);
    return {raNearCentre(sky.raDeg, setup.centreRaDeg) * corrAsdOf(setup), sky.decDeg * corrDecOf(setup)};
}

double residualPx(const Plate& plate, double x, double y, ScaledSky sky) {
    const ScaledPoint back = skyToPixelUnchecked(plate, sky.X, sky.Y);
    return std::hypot(back.x - x, back.y - y);
}

}  // namespace

PlateFit fitPlate(const FieldSetup& setup) {
    checkSetup(setup);
    if (setup.width < 2 || setup.height < 2)
        throw std::invalid_argument("plate fit: an image one pixel wide has no plate");
    const std::vector<double> xs = gridAlong(setup.width), ys = gridAlong(setup.height);

    // Normal equations in coordinates about the image centre, which keeps
    // them well conditioned; the sky side is taken about the centre too.
    const PixelPoint centre = imageCentre(setup);
    const ScaledSky origin = scaledSkyAt(setup, centre.x, centre.y);
    PlateNormalEquations normal;
    for (double y : ys) {
        for (double x : xs) {
            const ScaledSky sky = scaledSkyAt(setup, x, y);
            const std::array<double, 3> row{x - centre.x, y - centre.y, 1.0};
            for (int i = 0; i < 3; ++i) {
                for (int j = 0; j < 3; ++j) normal.m[i][j] += row[i] * row[j];
                normal.rhsX[i] += row[i] * (sky.X - origin.X);
                normal.rhsY[i] += row[i] * (sky.Y - origin.Y);
            }
        }
    }
    const auto [a, b, c0, d, e, f0] = solvePlate(normal);

    PlateFit fit;
    fit.plate = {a, b, origin.X + c0 - a * centre.x - b * centre.y, d, e, origin.Y + f0 - d * centre.x - e * centre.y};
    for (double y : ys)
        for (double x : xs)
            fit.maxResidualPx = std::max(fit.maxResidualPx, residualPx(fit.plate, x, y, scaledSkyAt(setup, x, y)));
    return fit;
}

double maxResidualAt(const FieldSetup& setup, const Plate& plate, const std::vector<CatalogueStar>& stars) {
    double worst = 0;
    for (const auto& star : stars) {
        const auto at = skyToImage(setup, star.raDeg, star.decDeg);
        if (!at || at->x < -0.5 || at->y < -0.5 || at->x > setup.width - 0.5 || at->y > setup.height - 0.5) continue;
        const ScaledSky sky{raNearCentre(star.raDeg, setup.centreRaDeg) * corrAsdOf(setup),
                            star.decDeg * corrDecOf(setup)};
        worst = std::max(worst, residualPx(plate, at->x, at->y, sky));
    }
    return worst;
}

}  // namespace sextrix::fieldsim
