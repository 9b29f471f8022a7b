#include "frame_zero_point.h"

#include <vector>

#include "aperture_photometry.h"

namespace sextrix {

std::optional<ZeroPoint> frameZeroPoint(const LuminanceImage& image, std::span<const MatchedCatalogueStar> stars,
                                        double fwhm) {
    const Aperture aperture = apertureForFwhm(fwhm);
    std::vector<PhotometricStar> measured;
    for (const auto& star : stars)
        if (const auto flux = aperturePhotometry(image, star.x, star.y, aperture))
            measured.push_back({flux->flux, star.catalogueMag, flux->saturated});
    return fitZeroPoint(measured);
}

}  // namespace sextrix
