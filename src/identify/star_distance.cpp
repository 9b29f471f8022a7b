#include "star_distance.h"

#include <cmath>
#include <stdexcept>

namespace sextrix {

double starDistance(double x1, double y1, double x2, double y2) {
    const double dy = y1 - y2;
    const double dx = x1 - x2;
    return std::sqrt(dy * dy + dx * dx);
}

void fillPickDistances(WorkingState& ws) {
    const int n = ws.pickDist.size();
    for (int k = 1; k <= n; ++k)
        for (int l = 1; l <= n; ++l)
            ws.pickDist.at(k, l) = starDistance(ws.pickX[k], ws.pickY[k], ws.pickX[l], ws.pickY[l]);
}

void fillCatalogueDistances(WorkingState& ws, int count) {
    if (count > ws.catDist.size()) throw std::invalid_argument("catalogue distance table too small");
    // The distance is symmetric to the bit ((-d)^2 == d^2), so half the work suffices.
    for (int i = 1; i <= count; ++i)
        for (int j = i; j <= count; ++j)
            ws.catDist.at(i, j) = ws.catDist.at(j, i) =
                starDistance(ws.catX[i], ws.catY[i], ws.catX[j], ws.catY[j]);
}

}  // namespace sextrix
