#include "centre.h"

#include <cmath>
#include <numbers>

#include "angles.h"
#include "plate.h"
#include "precession.h"
#include "state/text_number.h"

namespace sextrix {
CentreJ2000Result centreJ2000(const TypedCentre& typed, double corrAsd, double corrDec, char sep) {
    // All six fields are read before anything is computed, so that a bad one
    // leaves the caller's earlier centre whole.
    auto field = [sep](const std::string& text) { return parseStrictNumber(text, sep); };
    const double ra = raToDegrees(field(typed.ra[0]), field(typed.ra[1]), field(typed.ra[2]));
    const double dec =
        decToDegrees(typed.south ? -1 : 1, field(typed.dec[0]), field(typed.dec[1]), field(typed.dec[2]));
    const double epoch = parseLeadingNumber(typed.epochText);
    CentreJ2000Result result;
    result.toJ2000 = PrecessToJ2000(epoch, ra, dec);
    result.X = (result.toJ2000.ra + ra) * corrAsd;
    result.Y = (result.toJ2000.dec + dec) * corrDec;
    return result;
}

std::optional<CentreCross> centreCross(const SkyMap& map, double X, double Y, int width, int height) {
    const auto centre = map.skyToPixel(X, Y);
    if (!centre) return std::nullopt;
    const double px = centre->x, py = centre->y;
    CentreCross cross;
    cross.segments = {
        {{px, py - 8, px, py - 2}, {px, py + 2, px, py + 8}, {px - 8, py, px - 2, py}, {px + 2, py, px + 8, py}}};
    cross.onImage = px > 0 && px < width && py > 0 && py < height;
    return cross;
}

void CalculAngle(WorkingState& ws) { CalculAngle(ws, SkyMap(ws.plate)); }

void CalculAngle(WorkingState& ws, const SkyMap& map) {
    const auto star = map.skyToPixel(ws.catX[1], ws.catY[1]);
    const auto further = map.skyToPixel(ws.catX[1] + 1000, ws.catY[1]);
    if (!star || !further) return;

    constexpr double pi = std::numbers::pi;
    double angle = std::atan2(star->x - further->x, star->y - further->y);
    if (std::isnan(angle)) return;
    if (angle > pi / 2) angle -= pi;
    if (angle <= -pi / 2) angle += pi;
    ws.rotationDeg = angle / 3.14159 * 180;
}

}  // namespace sextrix
