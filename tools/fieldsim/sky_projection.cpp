#include "fieldsim/sky_projection.h"

#include <cmath>
#include <numbers>

namespace sextrix::fieldsim {
namespace {

constexpr double kDegToRad = std::numbers::pi / 180.0;
constexpr double kRadToArcsec = 180.0 / std::numbers::pi * 3600.0;

double pixelsPerRadian(const FieldSetup& setup) { return kRadToArcsec / setup.arcsecPerPixel; }

// The distortion polynomial's two sums at (u, v), term by term.
PixelPoint distortion(const SipDistortion& sip, double u, double v) {
    PixelPoint sum{0, 0};
    const int n = sip.order + 1;
    for (int p = 0; p < n; ++p)
        for (int q = 0; p + q < n; ++q) {
            if (p + q < 2) continue;
            const double term = std::pow(u, p) * std::pow(v, q);
            sum.x += sip.a[static_cast<std::size_t>(p * n + q)] * term;
            sum.y += sip.b[static_cast<std::size_t>(p * n + q)] * term;
        }
    return sum;
}

// The pixel offset (u, v) whose distorted position is (up, vp).
std::optional<PixelPoint> undistorted(const SipDistortion& sip, double up, double vp) {
    if (sip.order == 0) return PixelPoint{up, vp};
    PixelPoint w{up, vp};
    for (int iteration = 0; iteration < 200; ++iteration) {
        const PixelPoint f = distortion(sip, w.x, w.y);
        const PixelPoint next{up - f.x, vp - f.y};
        if (!std::isfinite(next.x) || !std::isfinite(next.y)) return std::nullopt;
        const double change = std::hypot(next.x - w.x, next.y - w.y);
        w = next;
        if (change < 1e-11) return w;
    }
    return std::nullopt;
}

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

    // On the image east is (-cos p, -sin p) and north (sin p, -cos p); a
    // mirror turns east round.
    const double east = setup.mirrored ? -xi : xi;
    const double p = setup.upPositionAngleDeg * kDegToRad;
    const PixelPoint centre = imageCentre(setup);
    const auto w =
        undistorted(setup.sip, -east * std::cos(p) + eta * std::sin(p), -east * std::sin(p) - eta * std::cos(p));
    if (!w) return std::nullopt;
    return PixelPoint{centre.x + w->x, centre.y + w->y};
}

SkyPoint imageToSky(const FieldSetup& setup, double x, double y) {
    const PixelPoint centre = imageCentre(setup);
    const double p = setup.upPositionAngleDeg * kDegToRad;
    double u = x - centre.x, v = y - centre.y;
    if (setup.sip.order != 0) {
        const PixelPoint f = distortion(setup.sip, u, v);
        u += f.x, v += f.y;
    }
    const double k = pixelsPerRadian(setup);
    const double east = (-u * std::cos(p) - v * std::sin(p)) / k;
    const double xi = setup.mirrored ? -east : east;
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

TanSolution trueSolution(const FieldSetup& setup) {
    const PixelPoint centre = imageCentre(setup);
    const double p = setup.upPositionAngleDeg * kDegToRad;
    const double s = setup.arcsecPerPixel / 3600.0;
    const double m = setup.mirrored ? -1.0 : 1.0;
    TanSolution solution;
    solution.refX = centre.x;
    solution.refY = centre.y;
    solution.refRaDeg = setup.centreRaDeg;
    solution.refDecDeg = setup.centreDecDeg;
    // Rows: the east and north unit vectors on the image, degrees per pixel.
    solution.cd = {-m * s * std::cos(p), -m * s * std::sin(p), s * std::sin(p), -s * std::cos(p)};
    solution.sip = setup.sip;
    return solution;
}

}  // namespace sextrix::fieldsim
