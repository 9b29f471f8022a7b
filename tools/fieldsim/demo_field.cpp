#include "fieldsim/demo_field.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "fieldsim/catalogue_answer.h"

namespace sextrix::fieldsim {

FieldSetup m67DemoSetup() {
    FieldSetup setup;
    setup.width = 1000;
    setup.height = 800;
    setup.centreRaDeg = 132.825;  // 8h51m18s
    setup.centreDecDeg = 11.8;    // +11d48'00"
    setup.arcsecPerPixel = 2.5;
    // Turned a little so that the plate is not diagonal; this way round the
    // brighter stars near the edges stay on the image.
    setup.upPositionAngleDeg = 4.0;
    setup.fwhmPx = 2.8;
    setup.moffatBeta = 3.0;
    setup.zeroPointMag = 19.0;
    setup.skyLevel = 30;
    setup.noise = true;
    setup.gain = 4;
    setup.readNoise = 1.5;
    // The cluster and the field around it hold many more stars than the
    // bright catalogue lists.
    setup.extraStars = 150;
    setup.extraMagBright = 13.3;
    setup.extraMagFaint = 15.0;
    setup.seed = 67;
    return setup;
}

int queryRadiusArcmin(const FieldSetup& setup) {
    const double halfDiagonalPx = std::hypot(setup.width, setup.height) / 2.0;
    return static_cast<int>(std::ceil(halfDiagonalPx * setup.arcsecPerPixel / 60.0));
}

int magnitudeLimit(const std::vector<CatalogueStar>& stars) {
    if (stars.empty()) return 0;
    double faintest = -HUGE_VAL;
    for (const auto& star : stars) faintest = std::max(faintest, star.mag);
    if (!std::isfinite(faintest)) throw std::invalid_argument("star list: a magnitude is not finite");
    // The answer writes red magnitudes to one decimal.
    return static_cast<int>(std::ceil(std::round((faintest + kRedMinusVisual) * 10.0) / 10.0));
}

std::vector<ClickStar> starsToClick(const FieldSetup& setup, const std::vector<CatalogueStar>& stars, std::size_t count,
                                    double marginPx) {
    std::vector<ClickStar> onImage;
    for (std::size_t i = 0; i < stars.size(); ++i) {
        const auto at = skyToImage(setup, stars[i].raDeg, stars[i].decDeg);
        if (!at || at->x < marginPx || at->y < marginPx || at->x > setup.width - 1 - marginPx ||
            at->y > setup.height - 1 - marginPx)
            continue;
        onImage.push_back({i, stars[i], *at});
    }
    std::stable_sort(onImage.begin(), onImage.end(),
                     [](const ClickStar& a, const ClickStar& b) { return a.star.mag < b.star.mag; });
    if (onImage.size() > count) onImage.resize(count);
    return onImage;
}

}  // namespace sextrix::fieldsim
