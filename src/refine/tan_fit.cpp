#include "refine/tan_fit.h"

#include <algorithm>
#include <cmath>

#include "refine/normal_equations.h"
#include "state/angle_units.h"

namespace sextrix {
namespace {

constexpr int kMaxOrder = 5;

struct Term {
    int p, q;
};

// (0,0), (1,0), (0,1), (2,0), (1,1), (0,2), ...: constant, then the CD terms.
std::vector<Term> termsOf(int order) {
    std::vector<Term> terms;
    for (int total = 0; total <= order; ++total)
        for (int p = total; p >= 0; --p) terms.push_back({p, total - p});
    return terms;
}

// The spread of the pixels across their main direction must be real, or
// the rotation about that line is a guess.
bool spansAnArea(const std::vector<FitPair>& pairs, const std::vector<char>& used) {
    double n = 0, mx = 0, my = 0;
    for (std::size_t k = 0; k < pairs.size(); ++k)
        if (used[k]) n += 1, mx += pairs[k].x, my += pairs[k].y;
    if (n < 3) return false;
    mx /= n, my /= n;
    double sxx = 0, syy = 0, sxy = 0;
    for (std::size_t k = 0; k < pairs.size(); ++k) {
        if (!used[k]) continue;
        const double dx = pairs[k].x - mx, dy = pairs[k].y - my;
        sxx += dx * dx, syy += dy * dy, sxy += dx * dy;
    }
    sxx /= n, syy /= n, sxy /= n;
    const double half = (sxx + syy) / 2, root = std::hypot((sxx - syy) / 2, sxy);
    const double smallest = half - root, largest = half + root;
    constexpr double kMinAcrossPx = 2;
    return smallest >= kMinAcrossPx * kMinAcrossPx && smallest >= 1e-4 * largest;
}

}  // namespace

int polynomialTerms(int order) { return (order + 1) * (order + 2) / 2; }

std::optional<TanSolution> fitTan(const std::vector<FitPair>& pairs, const std::vector<char>& used, double refX,
                                  double refY, SkyDirection tangentGuess, int order) {
    if (order < 1 || order > kMaxOrder || used.size() != pairs.size() || !spansAnArea(pairs, used)) return std::nullopt;
    const std::vector<Term> terms = termsOf(order);
    const int k = static_cast<int>(terms.size());
    if (std::count_if(used.begin(), used.end(), [](char u) { return u != 0; }) < k) return std::nullopt;

    // Offsets scaled to about one keep the powers of the same size.
    double scale = 1;
    for (std::size_t i = 0; i < pairs.size(); ++i)
        if (used[i]) scale = std::max({scale, std::abs(pairs[i].x - refX), std::abs(pairs[i].y - refY)});

    double ra0 = tangentGuess.raDeg, dec0 = tangentGuess.decDeg;
    std::array<std::vector<double>, 2> coefficients;
    std::vector<double> row(static_cast<std::size_t>(k));
    for (int iteration = 0;; ++iteration) {
        NormalEquations normal(k);
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            if (!used[i]) continue;
            const auto standard = standardCoordinates(ra0, dec0, pairs[i].raDeg, pairs[i].decDeg);
            if (!standard) return std::nullopt;
            const double u = (pairs[i].x - refX) / scale, v = (pairs[i].y - refY) / scale;
            std::array<double, kMaxOrder + 1> up{1}, vp{1};
            for (int p = 1; p <= order; ++p) up[p] = up[p - 1] * u, vp[p] = vp[p - 1] * v;
            for (int t = 0; t < k; ++t) row[static_cast<std::size_t>(t)] = up[terms[t].p] * vp[terms[t].q];
            normal.add(row.data(), standard->x, standard->y);
        }
        auto solved = normal.solve();
        if (!solved) return std::nullopt;
        coefficients = std::move(*solved);
        const double xi0 = coefficients[0][0], eta0 = coefficients[1][0];
        // 1e-10 degree is a few microarcseconds.
        if (std::hypot(xi0, eta0) < 1e-10 || iteration == 20) break;
        const SkyDirection moved = fromStandardCoordinates(ra0, dec0, xi0, eta0);
        ra0 = moved.raDeg, dec0 = moved.decDeg;
    }

    // Back to pixels: the coefficient of u^p v^q divides by scale^(p+q).
    for (int t = 0; t < k; ++t)
        for (auto& axis : coefficients) axis[static_cast<std::size_t>(t)] /= std::pow(scale, terms[t].p + terms[t].q);

    TanSolution solution;
    solution.refX = refX;
    solution.refY = refY;
    solution.refRaDeg = ra0;
    solution.refDecDeg = dec0;
    solution.cd = {coefficients[0][1], coefficients[0][2], coefficients[1][1], coefficients[1][2]};
    const auto& cd = solution.cd;
    const double det = cd[0] * cd[3] - cd[1] * cd[2];
    if (!std::isfinite(det) || det == 0) return std::nullopt;
    if (order >= 2) {
        SipDistortion& sip = solution.sip;
        sip.order = order;
        sip.a.assign(static_cast<std::size_t>((order + 1) * (order + 1)), 0.0);
        sip.b = sip.a;
        for (int t = 3; t < k; ++t) {
            const double px = coefficients[0][static_cast<std::size_t>(t)],
                         py = coefficients[1][static_cast<std::size_t>(t)];
            const auto at = static_cast<std::size_t>(terms[t].p * (order + 1) + terms[t].q);
            sip.a[at] = (cd[3] * px - cd[1] * py) / det;
            sip.b[at] = (-cd[2] * px + cd[0] * py) / det;
        }
    }
    return solution;
}

std::array<double, 2> residualArcsec(const TanSolution& solution, const FitPair& pair) {
    const SkyDirection observed = tanPixelToSky(solution, pair.x, pair.y);
    return {std::remainder(observed.raDeg - pair.raDeg, 360.0) * std::cos(toRadians(pair.decDeg)) * 3600.0,
            (observed.decDeg - pair.decDeg) * 3600.0};
}

}  // namespace sextrix
