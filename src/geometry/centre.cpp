#include "centre.h"

#include <cmath>
#include <numbers>

#include "angles.h"
#include "plate.h"
#include "precession.h"
#include "state/angle_units.h"
#include "state/errors.h"
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
    result.X = withinOneTurn(result.toJ2000.ra + ra) * corrAsd;
    result.Y = (result.toJ2000.dec + dec) * corrDec;
    return result;
}

std::optional<CentreFault> centreFault(const TypedCentre& typed, char sep) {
    // One sexagesimal value: whole part, minutes, seconds; its total in the
    // whole part's unit, or a fault.
    const auto check = [sep](const std::array<std::string, 3>& fields, CentrePart part, double limit,
                             bool limitIncluded, const char* unit) -> std::optional<CentreFault> {
        const char* names[3] = {unit, "minutes", "seconds"};
        double value[3];
        for (int k = 0; k < 3; ++k) {
            value[k] = parseStrictNumber(fields[k], sep);
            if (!(value[k] >= 0)) return CentreFault{part, std::string(names[k]) + " must not be negative"};
            if (k > 0 && !(value[k] < 60))
                return CentreFault{part, std::string(names[k]) + " must lie below 60, not " + fields[k]};
        }
        const double total = value[0] + value[1] / 60 + value[2] / 3600;
        if (limitIncluded ? total > limit : total >= limit)
            return CentreFault{part, std::string("must lie ") + (limitIncluded ? "within " : "below ") +
                                         numberToText(limit, '.') + " " + unit};
        return std::nullopt;
    };
    if (auto fault = check(typed.ra, CentrePart::Ra, 24, false, "hours")) return fault;
    if (auto fault = check(typed.dec, CentrePart::Dec, 90, true, "degrees")) return fault;
    const double epoch = parseLeadingNumber(typed.epochText);
    if (!(epoch >= kEarliestEpoch && epoch <= kLatestEpoch))
        return CentreFault{CentrePart::Epoch, "must lie within " + numberToText(kEarliestEpoch, '.') + ".." +
                                                  numberToText(kLatestEpoch, '.') + ", not " + typed.epochText};
    return std::nullopt;
}

std::optional<double> typedDeclination(const TypedCentre& typed, char sep) {
    TypedCentre decOnly{{"0", "0", "0"}, typed.dec, typed.south, "2000"};
    try {
        if (centreFault(decOnly, sep)) return std::nullopt;
    } catch (const TypeMismatchError&) {
        return std::nullopt;
    }
    const auto field = [sep](const std::string& text) { return parseStrictNumber(text, sep); };
    return decToDegrees(typed.south ? -1 : 1, field(typed.dec[0]), field(typed.dec[1]), field(typed.dec[2]));
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

std::optional<double> fieldRotationDeg(const SkyMap& map, double X, double Y) {
    const auto star = map.skyToPixel(X, Y);
    const auto further = map.skyToPixel(X + 1000, Y);
    if (!star || !further) return std::nullopt;

    constexpr double pi = std::numbers::pi;
    double angle = std::atan2(star->x - further->x, star->y - further->y);
    if (std::isnan(angle)) return std::nullopt;
    if (angle > pi / 2) angle -= pi;
    if (angle <= -pi / 2) angle += pi;
    return toDegrees(angle);
}

}  // namespace sextrix
