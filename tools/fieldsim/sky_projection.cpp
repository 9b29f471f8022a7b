#include "fieldsim/sky_projection.h"

#include <cmath>
#include <numbers>

namespace sextrix::fieldsim {
namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToArcsec = 180.0 / std::numbers::pi * 3600.0;

double pixelsPerRadian(const FieldSetup& setup) { return kRadToArcsec / setup.arcsecPerPixel; }

}  // namespace

PixelPoint imageCentre(const FieldSetup& setup) { return {(setup.width - 1) / 2.0, (setup.height - 1) / 2.0}; }

std::optional<PixelPoint> skyToImage(const FieldSetup& setup, double raDeg, double decDeg) {
    const double a = raDeg * kDegToRad, d = decDeg * kDegToRad;
    const double a0 = setup.centreRaDeg * kDegToRad, d0 = setup.centreDecDeg * kDegToRad;
    const double cosDa = std::cos(a - a0);
    const double cosC = std::sin(d0) * std::sin(d) + std::cos(d0) * std::cos(d) * cosDa;
    if (!(cosC > 0)) return std::nullopt;
    const double k = pixelsPerRadian(setup);
    const double xi = std::cos(d) * std::sin(a - a0) / cosC * k;
    const double eta = (std::cos(d0) * std::sin(d) - std::sin(d0) * std::cos(d) * cosDa) / cosC * k;

    // On the image east is (-cos p, -sin p) and north (sin p, -cos p).
    const double p = setup.upPositionAngleDeg * kDegToRad;
    const PixelPoint centre = imageCentre(setup);
    return PixelPoint{centre.x - xi * std::cos(p) + eta * std::sin(p), centre.y - xi * std::sin(p) - eta * std::cos(p)};
}

SkyPoint imageToSky(const FieldSetup& setup, double x, double y) {
    const PixelPoint centre = imageCentre(setup);
    const double p = setup.upPositionAngleDeg * kDegToRad;
    const double u = x - centre.x, v = y - centre.y;
    const double k = pixelsPerRadian(setup);
    const double xi = (-u * std::cos(p) - v * std::sin(p)) / k;
    const double eta = (u * std::sin(p) - v * std::cos(p)) / k;

    const double a0 = setup.centreRaDeg * kDegToRad, d0 = setup.centreDecDeg * kDegToRad;
    const double denominator = std::cos(d0) - eta * std::sin(d0);
    double ra = (a0 + std::atan2(xi, denominator)) / kDegToRad;
    const double dec = std::atan2(std::sin(d0) + eta * std::cos(d0), std::hypot(xi, denominator)) / kDegToRad;
    ra = std::fmod(ra, 360.0);
    if (ra < 0) ra += 360.0;
    if (ra >= 360.0) ra -= 360.0;
    return {ra, dec};
}

}  // namespace sextrix::fieldsim
