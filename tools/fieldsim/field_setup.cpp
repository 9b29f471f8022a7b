#include "fieldsim/field_setup.h"

#include <cmath>
#include <numbers>
#include <stdexcept>
#include <string>

namespace sextrix::fieldsim {
namespace {

void require(bool ok, const char* what) {
    if (!ok) throw std::invalid_argument(std::string("field setup: bad ") + what);
}

}  // namespace

void checkSetup(const FieldSetup& s) {
    constexpr int kLargestSide = 20000;
    require(s.width >= 1 && s.width <= kLargestSide, "width");
    require(s.height >= 1 && s.height <= kLargestSide, "height");
    require(std::isfinite(s.centreRaDeg), "centre right ascension");
    require(std::isfinite(s.centreDecDeg) && std::fabs(s.centreDecDeg) <= 90, "centre declination");
    require(std::isfinite(s.arcsecPerPixel) && s.arcsecPerPixel > 0, "pixel scale");
    require(std::isfinite(s.upPositionAngleDeg), "position angle");
    require(std::isfinite(s.fwhmPx) && s.fwhmPx > 0, "star width");
    require(std::isfinite(s.moffatBeta) && s.moffatBeta > 1, "profile exponent");
    require(std::isfinite(s.zeroPointMag), "zero point");
    require(std::isfinite(s.skyLevel), "sky level");
    require(!s.noise || (std::isfinite(s.gain) && s.gain > 0), "gain");
    require(std::isfinite(s.readNoise) && s.readNoise >= 0, "read noise");
    require(s.extraStars >= 0 && s.extraStars <= 100000, "number of extra stars");
    require(std::isfinite(s.extraMagBright) && std::isfinite(s.extraMagFaint), "extra star magnitudes");
    require(std::isfinite(s.extraClearancePx), "extra star clearance");
    require(s.sip.order == 0 || s.sip.order == 2 || s.sip.order == 3, "distortion order");
    if (s.sip.order != 0) {
        const std::size_t terms = static_cast<std::size_t>((s.sip.order + 1) * (s.sip.order + 1));
        require(s.sip.a.size() == terms && s.sip.b.size() == terms, "distortion coefficient count");
        for (std::size_t k = 0; k < terms; ++k)
            require(std::isfinite(s.sip.a[k]) && std::isfinite(s.sip.b[k]), "distortion coefficient");
    }
}

double corrDecOf(const FieldSetup& setup) { return 3600.0 / setup.arcsecPerPixel; }

double corrAsdOf(const FieldSetup& setup) {
    return corrDecOf(setup) * std::cos(setup.centreDecDeg * std::numbers::pi / 180.0);
}

}  // namespace sextrix::fieldsim
