#pragma once
// One least-squares tangent-plane fit, no rejection: standard coordinates of
// the catalogue stars about a tangent point as a polynomial of the pixel
// offsets from the reference pixel. The constant term is how far the
// reference pixel lies from the tangent point; the point moves there and
// the fit is repeated until the two coincide.
//
// The polynomial xi = sum P_pq u^p v^q (p + q <= order), eta likewise, is
// the solution's CD (u + f, v + g) written out: the linear terms are the CD
// matrix and CD^-1 times the higher terms are the SIP coefficients. So the
// whole fit stays linear.
#include <array>
#include <optional>
#include <vector>

#include "geometry/tan_projection.h"
#include "state/tan_solution.h"

namespace sextrix {

// A detected star's pixel and its catalogue star's position.
struct FitPair {
    double x = 0;
    double y = 0;
    double raDeg = 0;
    double decDeg = 0;
};

// Terms of the polynomial of an order (1: the CD matrix alone), per axis.
int polynomialTerms(int order);

// Pairs where used[k] is nonzero take part. Nothing when fewer pairs than
// terms take part, a catalogue star is 90 degrees or more from the tangent
// point, or the pairs leave the fit undetermined: all on one line (less
// than 2 px or a hundredth of the length across it) or a singular CD matrix.
std::optional<TanSolution> fitTan(const std::vector<FitPair>& pairs, const std::vector<char>& used, double refX,
                                  double refY, SkyDirection tangentGuess, int order);

// Observed minus computed, arcseconds: right ascension times cos dec, and
// declination.
std::array<double, 2> residualArcsec(const TanSolution& solution, const FitPair& pair);

}  // namespace sextrix
