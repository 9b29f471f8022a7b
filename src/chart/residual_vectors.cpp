#include "residual_vectors.h"

#include <algorithm>
#include <cmath>

namespace sextrix {
namespace {

// The largest of 1, 2, 5 times a power of ten not above value (value > 0).
double roundDown125(double value) {
    const double decade = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {5.0, 2.0, 1.0})
        if (step * decade <= value) return step * decade;
    return decade;
}

}  // namespace

ResidualVectorLayout layoutResidualVectors(const Refinement& refinement, double typicalLength) {
    ResidualVectorLayout layout;
    if (!refinement.solution) return layout;
    const auto& cd = refinement.solution->cd;
    const double det = cd[0] * cd[3] - cd[1] * cd[2];
    if (det == 0 || !std::isfinite(det)) return layout;

    // Residuals on the sky (xi east, eta north, degrees) back to pixels
    // through the inverse CD matrix.
    std::vector<double> usedLengths;
    for (const ResidualRow& row : refinement.residuals) {
        const double xi = row.dRaArcsec / 3600.0, eta = row.dDecArcsec / 3600.0;
        const double u = (cd[3] * xi - cd[1] * eta) / det;
        const double v = (-cd[2] * xi + cd[0] * eta) / det;
        if (!std::isfinite(u) || !std::isfinite(v)) continue;
        layout.vectors.push_back({row.x, row.y, u, v, row.used});
        if (row.used) usedLengths.push_back(std::hypot(u, v));
    }
    if (usedLengths.empty()) return layout;

    auto p90 =
        usedLengths.begin() + static_cast<std::ptrdiff_t>(std::ceil(0.9 * static_cast<double>(usedLengths.size() - 1)));
    std::nth_element(usedLengths.begin(), p90, usedLengths.end());
    const double typical = std::max(*p90, 1e-3);
    layout.magnification = roundDown125(typicalLength / typical);
    for (ResidualVector& vector : layout.vectors) {
        vector.dx *= layout.magnification;
        vector.dy *= layout.magnification;
    }

    // A bar of a round number of arcseconds, some two to five typical strokes long.
    const double screenPerArcsec = layout.magnification / (std::sqrt(std::abs(det)) * 3600.0);
    layout.barArcsec = roundDown125(3 * typicalLength / screenPerArcsec);
    layout.barLength = layout.barArcsec * screenPerArcsec;
    return layout;
}

}  // namespace sextrix
