#include "refine/plate_refinement.h"

#include <cmath>
#include <limits>

#include "geometry/plate.h"
#include "refine/clipped_fit.h"
#include "refine/star_matching.h"
#include "state/angle_units.h"

namespace sextrix {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// Passes of predict, pair and fit after the first; each starts from the last
// solution, so stars the first guess put too far off join in.
constexpr int kMaxPasses = 4;

// Stars cut by the border have centroids pulled aside. Blends take part:
// they are centred on their brightest star's top, and on a real photograph
// the bright catalogue stars are the saturated ones, whose halos, spikes and
// rings make them blends; a blend of two catalogue stars misses both and
// the clipping drops it.
std::vector<DetectedStar> usableStars(const std::vector<DetectedStar>& detected) {
    std::vector<DetectedStar> usable;
    for (const auto& s : detected)
        if (!s.has(StarEdge) && std::isfinite(s.x) && std::isfinite(s.y)) usable.push_back(s);
    return usable;
}

bool onImage(const PixelPosition& p, int width, int height) {
    return p.x >= -0.5 && p.y >= -0.5 && p.x <= width - 0.5 && p.y <= height - 0.5;
}

// Positions off the image become NaN, which the matching skips.
template <typename Predict>
std::vector<PixelPosition> predictAll(const std::vector<ReferenceStar>& stars, int width, int height, Predict predict) {
    std::vector<PixelPosition> at;
    at.reserve(stars.size());
    for (const auto& star : stars) {
        const std::optional<PixelPosition> p = predict(star);
        at.push_back(p && onImage(*p, width, height) ? *p : PixelPosition{kNaN, kNaN});
    }
    return at;
}

// The residual table from a solution; used flags from the fit when there is one.
Refinement tableOf(const std::vector<StarMatch>& pairs, const std::vector<FitPair>& fitPairs,
                   const std::vector<ReferenceStar>& stars, const TanSolution& solution, const ClippedFit* fit) {
    Refinement result;
    double sum = 0;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        const auto d = fit ? fit->residuals[k] : residualArcsec(solution, fitPairs[k]);
        const bool used = fit && fit->used[k];
        result.residuals.push_back(
            {stars[static_cast<std::size_t>(pairs[k].catalogue)].id, fitPairs[k].x, fitPairs[k].y, d[0], d[1], used});
        if (used) sum += d[0] * d[0] + d[1] * d[1], ++result.used;
    }
    if (fit) {
        result.solution = fit->solution;
        result.rejected = static_cast<int>(pairs.size()) - result.used;
        result.rmsArcsec = result.used ? std::sqrt(sum / result.used) : 0;
        result.sipOrder = fit->solution.sip.order;
    }
    return result;
}

// The fit of one set of pairs; guess gives the tangent point to start from
// and the residuals when no solution comes out.
Refinement fitPairs(const std::vector<StarMatch>& pairs, const std::vector<ReferenceStar>& stars,
                    const std::vector<DetectedStar>& usable, const TanSolution& guess, int width, int height,
                    const RefineSettings& settings) {
    std::vector<FitPair> fitPairs;
    fitPairs.reserve(pairs.size());
    for (const auto& pair : pairs) {
        const DetectedStar& s = usable[static_cast<std::size_t>(pair.detected)];
        const ReferenceStar& star = stars[static_cast<std::size_t>(pair.catalogue)];
        fitPairs.push_back({s.x, s.y, star.raDeg, star.decDeg});
    }
    const double cx = (width - 1) / 2.0, cy = (height - 1) / 2.0;
    std::optional<ClippedFit> fit;
    if (static_cast<int>(pairs.size()) >= settings.minMatches)
        fit = fitWithDistortion(fitPairs, cx, cy, tanPixelToSky(guess, cx, cy), settings);
    return tableOf(pairs, fitPairs, stars, guess, fit ? &*fit : nullptr);
}

bool samePairs(const std::vector<StarMatch>& a, const std::vector<StarMatch>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t k = 0; k < a.size(); ++k)
        if (a[k].catalogue != b[k].catalogue || a[k].detected != b[k].detected) return false;
    return true;
}

bool finite(const TanSolution& s) {
    bool ok = std::isfinite(s.refX) && std::isfinite(s.refY) && std::isfinite(s.refRaDeg) && std::isfinite(s.refDecDeg);
    for (double c : s.cd) ok = ok && std::isfinite(c);
    return ok;
}

// The tangent-plane solution nearest the plate at the image centre, where
// its scaled units turn into degrees of xi (times cos dec) and eta.
std::optional<TanSolution> tanFromPlate(const Plate& plate, double corrAsd, double corrDec, int width, int height) {
    if (!(corrAsd != 0) || !(corrDec != 0) || plateDet(plate) == 0) return std::nullopt;
    TanSolution s;
    s.refX = (width - 1) / 2.0;
    s.refY = (height - 1) / 2.0;
    const ScaledPoint centre = pixelToSky(plate, s.refX, s.refY);
    s.refRaDeg = centre.x / corrAsd;
    s.refDecDeg = centre.y / corrDec;
    const double cosDec = std::cos(toRadians(s.refDecDeg));
    s.cd = {plate.a / corrAsd * cosDec, plate.b / corrAsd * cosDec, plate.d / corrDec, plate.e / corrDec};
    if (!finite(s) || std::abs(s.refDecDeg) > 90) return std::nullopt;
    return s;
}

bool validImage(int width, int height) { return width > 0 && height > 0; }

}  // namespace

Refinement refineSolution(const TanSolution& first, const std::vector<ReferenceStar>& stars,
                          const std::vector<DetectedStar>& detected, int width, int height,
                          const RefineSettings& settings) {
    if (!validImage(width, height) || !finite(first)) return {};
    const std::vector<DetectedStar> usable = usableStars(detected);
    const double radius = settings.matchRadiusPx > 0 ? settings.matchRadiusPx : matchRadiusFor(usable);
    Refinement result;
    std::vector<StarMatch> previous;
    TanSolution current = first;
    for (int pass = 0; pass < kMaxPasses; ++pass) {
        const auto predicted = predictAll(stars, width, height, [&](const ReferenceStar& star) {
            return tanSkyToPixel(current, star.raDeg, star.decDeg);
        });
        std::vector<StarMatch> pairs = matchStars(predicted, usable, radius);
        if (pass > 0 && samePairs(pairs, previous)) break;
        Refinement next = fitPairs(pairs, stars, usable, current, width, height, settings);
        if (!next.solution) {
            if (pass == 0) return next;
            break;  // keep the last solution that held
        }
        result = std::move(next);
        current = *result.solution;
        previous = std::move(pairs);
    }
    return result;
}

Refinement refinePlate(const Plate& plate, double corrAsd, double corrDec, const std::vector<ReferenceStar>& stars,
                       const std::vector<DetectedStar>& detected, int width, int height,
                       const RefineSettings& settings) {
    if (!validImage(width, height)) return {};
    const auto guess = tanFromPlate(plate, corrAsd, corrDec, width, height);
    if (!guess) return {};
    const std::vector<DetectedStar> usable = usableStars(detected);
    // The plate's own right ascensions lie near its centre's, whatever turn
    // the catalogue wrote them in.
    const double centreRa = guess->refRaDeg;
    const auto predicted =
        predictAll(stars, width, height, [&](const ReferenceStar& star) -> std::optional<PixelPosition> {
            const double ra = centreRa + std::remainder(star.raDeg - centreRa, 360.0);
            const auto p = skyToPixel(plate, ra * corrAsd, star.decDeg * corrDec);
            if (!p) return std::nullopt;
            return PixelPosition{p->x, p->y};
        });
    const auto pairs = matchStars(predicted, usable, matchRadiusFor(usable));
    // Far from the plate's centre many of these pairs may be wrong: a plain
    // tangent-plane fit takes the right ones, a distortion would bend to the
    // wrong ones.
    RefineSettings plain = settings;
    plain.maxSipOrder = 0;
    Refinement first = fitPairs(pairs, stars, usable, *guess, width, height, plain);
    if (!first.solution) return first;
    // The plate has no cos(dec) term, so far from the centre of a field near
    // a pole its predictions miss; the fitted solution's do not.
    Refinement refined = refineSolution(*first.solution, stars, detected, width, height, settings);
    return refined.solution ? refined : first;
}

}  // namespace sextrix
