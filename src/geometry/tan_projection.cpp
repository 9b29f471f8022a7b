#include "tan_projection.h"

#include <cmath>

#include "state/angle_units.h"

namespace sextrix {
namespace {

// Beyond this a distortion is a malformed one, not an optical system.
constexpr int kMaxSipOrder = 9;

// A list shorter than (order + 1)^2 (an empty one included) adds nothing
// rather than reading past its end.
double sipSum(const std::vector<double>& c, int order, double u, double v) {
    if (c.size() < static_cast<std::size_t>((order + 1) * (order + 1))) return 0;
    double sum = 0;
    double up = 1;
    for (int p = 0; p <= order; ++p) {
        double vq = 1;
        for (int q = 0; p + q <= order; ++q) {
            if (p + q >= 2) sum += c[static_cast<std::size_t>(p * (order + 1) + q)] * up * vq;
            vq *= v;
        }
        up *= u;
    }
    return sum;
}

}  // namespace

std::optional<PixelPosition> standardCoordinates(double refRaDeg, double refDecDeg, double raDeg, double decDeg) {
    const double d0 = toRadians(refDecDeg), d = toRadians(decDeg), da = toRadians(raDeg - refRaDeg);
    const double cosc = std::sin(d0) * std::sin(d) + std::cos(d0) * std::cos(d) * std::cos(da);
    if (!(cosc > 1e-9)) return std::nullopt;
    const double xi = std::cos(d) * std::sin(da) / cosc;
    const double eta = (std::cos(d0) * std::sin(d) - std::sin(d0) * std::cos(d) * std::cos(da)) / cosc;
    return PixelPosition{toDegrees(xi), toDegrees(eta)};
}

SkyDirection fromStandardCoordinates(double refRaDeg, double refDecDeg, double xiDeg, double etaDeg) {
    const double xi = toRadians(xiDeg), eta = toRadians(etaDeg), d0 = toRadians(refDecDeg);
    const double denom = std::cos(d0) - eta * std::sin(d0);
    double ra = refRaDeg + toDegrees(std::atan2(xi, denom));
    const double dec = toDegrees(std::atan2(std::sin(d0) + eta * std::cos(d0), std::hypot(xi, denom)));
    ra = std::fmod(ra, 360.0);
    if (ra < 0) ra += 360.0;
    if (ra >= 360.0) ra -= 360.0;
    return {ra, dec};
}

PixelPosition applySip(const SipDistortion& sip, double u, double v) {
    if (sip.order < 2 || sip.order > kMaxSipOrder) return {u, v};
    return {u + sipSum(sip.a, sip.order, u, v), v + sipSum(sip.b, sip.order, u, v)};
}

SkyDirection tanPixelToSky(const TanSolution& s, double x, double y) {
    const PixelPosition w = applySip(s.sip, x - s.refX, y - s.refY);
    const double xi = s.cd[0] * w.x + s.cd[1] * w.y;
    const double eta = s.cd[2] * w.x + s.cd[3] * w.y;
    return fromStandardCoordinates(s.refRaDeg, s.refDecDeg, xi, eta);
}

std::optional<PixelPosition> tanSkyToPixel(const TanSolution& s, double raDeg, double decDeg) {
    const auto standard = standardCoordinates(s.refRaDeg, s.refDecDeg, raDeg, decDeg);
    if (!standard) return std::nullopt;
    const double det = s.cd[0] * s.cd[3] - s.cd[1] * s.cd[2];
    if (det == 0 || !std::isfinite(det)) return std::nullopt;
    // Intermediate pixel offsets (u', v') before the distortion.
    const double up = (s.cd[3] * standard->x - s.cd[1] * standard->y) / det;
    const double vp = (-s.cd[2] * standard->x + s.cd[0] * standard->y) / det;
    if (s.sip.order < 2) return PixelPosition{up + s.refX, vp + s.refY};

    // Newton's method on the forward polynomial, from the undistorted guess;
    // the distortion of a real optical system is a small, smooth correction.
    double u = up, v = vp;
    for (int iteration = 0; iteration < 50; ++iteration) {
        const PixelPosition f = applySip(s.sip, u, v);
        const double ex = f.x - up, ey = f.y - vp;
        if (std::abs(ex) < 1e-10 && std::abs(ey) < 1e-10) return PixelPosition{u + s.refX, v + s.refY};
        constexpr double h = 1e-4;
        const PixelPosition fu = applySip(s.sip, u + h, v), fv = applySip(s.sip, u, v + h);
        const double j00 = (fu.x - f.x) / h, j01 = (fv.x - f.x) / h;
        const double j10 = (fu.y - f.y) / h, j11 = (fv.y - f.y) / h;
        const double jd = j00 * j11 - j01 * j10;
        if (jd == 0 || !std::isfinite(jd)) return std::nullopt;
        u -= (j11 * ex - j01 * ey) / jd;
        v -= (-j10 * ex + j00 * ey) / jd;
        if (!std::isfinite(u) || !std::isfinite(v)) return std::nullopt;
    }
    return std::nullopt;
}

double tanScaleArcsecPerPixel(const TanSolution& s) {
    return std::sqrt(std::abs(s.cd[0] * s.cd[3] - s.cd[1] * s.cd[2])) * 3600.0;
}

}  // namespace sextrix
