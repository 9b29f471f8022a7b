#include "refine/clipped_fit.h"

#include <algorithm>
#include <cmath>

namespace sextrix {
namespace {

// Below this per-axis rms (arcseconds) the scatter is rounding, not
// measurement; clipping against it would throw out good stars.
constexpr double kSigmaFloorArcsec = 1e-3;
constexpr int kMaxRounds = 30;

// The scatter per axis from the median absolute residual (1.4826 MAD is the
// standard deviation of a normal law), so that wrong pairs, which a
// first guess far off makes in numbers, do not widen the cut that should
// remove them.
double robustSigma(const std::vector<std::array<double, 2>>& residuals, const std::vector<char>& used) {
    std::vector<double> sizes;
    for (std::size_t k = 0; k < residuals.size(); ++k)
        if (used[k]) sizes.push_back(std::abs(residuals[k][0])), sizes.push_back(std::abs(residuals[k][1]));
    if (sizes.empty()) return 0;
    auto middle = sizes.begin() + static_cast<std::ptrdiff_t>(sizes.size() / 2);
    std::nth_element(sizes.begin(), middle, sizes.end());
    return 1.4826 * *middle;
}

double sumSquaresOver(const std::vector<std::array<double, 2>>& residuals, const std::vector<char>& used) {
    double sum = 0;
    for (std::size_t k = 0; k < residuals.size(); ++k)
        if (used[k]) sum += residuals[k][0] * residuals[k][0] + residuals[k][1] * residuals[k][1];
    return sum;
}

}  // namespace

std::optional<ClippedFit> clippedFit(const std::vector<FitPair>& pairs, double refX, double refY,
                                     SkyDirection tangentGuess, int order, double clipSigma, int minUsed) {
    const int terms = polynomialTerms(order);
    minUsed = std::max(minUsed, terms + 1);
    if (!(clipSigma > 0)) return std::nullopt;
    ClippedFit fit;
    fit.order = order;
    fit.used.assign(pairs.size(), 1);
    fit.residuals.resize(pairs.size());
    SkyDirection guess = tangentGuess;
    // First the robust scatter, which sheds the wrong pairs; then the rms
    // of what is left, which takes back good stars the median cut too close.
    for (const bool robust : {true, false}) {
        for (int round = 0; round < kMaxRounds; ++round) {
            fit.usedCount = static_cast<int>(std::count(fit.used.begin(), fit.used.end(), 1));
            if (fit.usedCount < minUsed) return std::nullopt;
            const auto solution = fitTan(pairs, fit.used, refX, refY, guess, order);
            if (!solution) return std::nullopt;
            fit.solution = *solution;
            guess = {solution->refRaDeg, solution->refDecDeg};
            for (std::size_t k = 0; k < pairs.size(); ++k) fit.residuals[k] = residualArcsec(*solution, pairs[k]);
            fit.sumSquares = sumSquaresOver(fit.residuals, fit.used);

            const int freedom = std::max(1, 2 * (fit.usedCount - terms));
            const double sigma = std::max(
                kSigmaFloorArcsec, robust ? robustSigma(fit.residuals, fit.used) : std::sqrt(fit.sumSquares / freedom));
            std::vector<char> keep(pairs.size());
            for (std::size_t k = 0; k < pairs.size(); ++k)
                keep[k] = std::abs(fit.residuals[k][0]) <= clipSigma * sigma &&
                          std::abs(fit.residuals[k][1]) <= clipSigma * sigma;
            if (keep == fit.used) break;
            fit.used = std::move(keep);
        }
    }
    return fit;
}

// Distortion is taken only when the Bayesian information criterion says so
// (Schwarz 1978): on the pairs the lower order kept, with N = 2n residuals
// and k coefficients, BIC = N ln(RSS / N) + k ln N, and the higher order must
// lower it by more than 10, "very strong" evidence (Kass and Raftery 1995).
// The extra coefficients are thus paid for, and a flat field keeps the plain
// tangent-plane solution however many stars it has. Order 3 is weighed
// against the best lower one, so a purely cubic (radial) distortion that
// order 2 cannot follow is still found.
std::optional<ClippedFit> fitWithDistortion(const std::vector<FitPair>& pairs, double refX, double refY,
                                            SkyDirection tangentGuess, const RefineSettings& settings) {
    auto best = clippedFit(pairs, refX, refY, tangentGuess, 1, settings.clipSigma, settings.minMatches);
    if (!best) return std::nullopt;
    for (int order = 2; order <= std::min(settings.maxSipOrder, 3); ++order) {
        if (best->usedCount < settings.sipMinMatches) break;
        const SkyDirection guess{best->solution.refRaDeg, best->solution.refDecDeg};
        const auto candidate = fitTan(pairs, best->used, refX, refY, guess, order);
        if (!candidate) continue;
        std::vector<std::array<double, 2>> residuals(pairs.size());
        for (std::size_t k = 0; k < pairs.size(); ++k)
            if (best->used[k]) residuals[k] = residualArcsec(*candidate, pairs[k]);
        const double n = 2.0 * best->usedCount;
        // A floor of 0.1 mas per residual, so rounding alone never pays.
        const double floor = n * 1e-8;
        const double lower = std::max(best->sumSquares, floor),
                     higher = std::max(sumSquaresOver(residuals, best->used), floor);
        const double extra = 2.0 * (polynomialTerms(order) - polynomialTerms(best->order));
        if (!(n * std::log(lower / higher) - extra * std::log(n) > 10)) continue;
        // Pairs clipped for want of the distortion come back here.
        if (auto next = clippedFit(pairs, refX, refY, guess, order, settings.clipSigma, settings.minMatches))
            best = std::move(next);
    }
    return best;
}

}  // namespace sextrix
