#pragma once
// The tangent-plane fit with iterative sigma clipping, and the choice of the
// distortion order.
#include <optional>
#include <vector>

#include "refine/plate_refinement.h"
#include "refine/tan_fit.h"

namespace sextrix {

struct ClippedFit {
    TanSolution solution;
    int order = 1;                                 // polynomial order: 1 is no distortion
    std::vector<char> used;                        // per pair: kept by the clipping
    std::vector<std::array<double, 2>> residuals;  // per pair, arcseconds
    int usedCount = 0;
    double sumSquares = 0;  // over the used pairs, both axes, arcsec^2
};

// Fits all pairs, then drops those whose residual on either axis exceeds
// clipSigma times the scatter per axis and refits, until the set no longer
// changes; a dropped pair comes back when the new fit takes it in again. The
// scatter comes first from the median absolute residual, then from the rms.
// Nothing when fewer than minUsed pairs (or than the polynomial's terms) stay,
// or the fit is undetermined.
std::optional<ClippedFit> clippedFit(const std::vector<FitPair>& pairs, double refX, double refY,
                                     SkyDirection tangentGuess, int order, double clipSigma, int minUsed);

// The clipped tangent-plane fit, with distortion of order 2, then 3, when
// the settings allow it and it pays.
std::optional<ClippedFit> fitWithDistortion(const std::vector<FitPair>& pairs, double refX, double refY,
                                            SkyDirection tangentGuess, const RefineSettings& settings);

}  // namespace sextrix
