#include "motion_fit.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace sextrix {

MotionFit fitUniformMotion(std::span<const TimedPosition> positions) {
    if (positions.size() < 2) throw std::invalid_argument("a motion needs two positions");
    MotionFit fit;
    std::vector<SkyDirection> directions;
    for (const TimedPosition& p : positions) directions.push_back(p.sky);
    const SkyDirection centre = meanDirection(directions);
    double sumT = 0;
    for (const TimedPosition& p : positions) sumT += p.mjd;
    fit.midTimeMjd = sumT / static_cast<double>(positions.size());

    // Minutes from the mid-time and arcseconds on the plane; the positions
    // of one object lie within degrees of their mean, on its plane.
    std::vector<double> t, x, y;
    for (const TimedPosition& p : positions) {
        const PixelPosition s = standardCoordinates(centre.raDeg, centre.decDeg, p.sky.raDeg, p.sky.decDeg).value();
        t.push_back((p.mjd - fit.midTimeMjd) * kMinutesPerDay);
        x.push_back(s.x * 3600), y.push_back(s.y * 3600);
    }
    const auto n = static_cast<double>(positions.size());
    double stt = 0, mx = 0, my = 0, stx = 0, sty = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        stt += t[i] * t[i], mx += x[i] / n, my += y[i] / n;
        stx += t[i] * x[i], sty += t[i] * y[i];
    }
    if (!(stt > 0)) throw std::invalid_argument("a motion needs positions at two times");
    fit.rate = {stx / stt, sty / stt};
    fit.atMidTime = fromStandardCoordinates(centre.raDeg, centre.decDeg, mx / 3600, my / 3600);
    double sumSquares = 0;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const double rx = x[i] - (mx + fit.rate.raCosDecArcsecPerMin * t[i]);
        const double ry = y[i] - (my + fit.rate.decArcsecPerMin * t[i]);
        sumSquares += rx * rx + ry * ry;
        fit.residualArcsec.push_back(std::max(std::abs(rx), std::abs(ry)));
    }
    fit.rmsArcsec = std::sqrt(sumSquares / n);
    return fit;
}

}  // namespace sextrix
