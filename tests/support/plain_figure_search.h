#pragma once
// The figure search as the plain five-deep loop over the catalogue, written
// straight from the description of the identification: the reference that
// the fast search must reproduce row for row (tests) and outrun (bench).
#include <vector>

#include "identify/figure_search.h"
#include "state/reduction_values.h"

namespace sextrix::testing {

inline std::vector<FigureRow> plainFigureSearch(const SquareTable& pickDist, const SquareTable& catDist, int catCount,
                                                double tolerance) {
    auto match = [&](int u, int v, int p, int q) {
        return catDist.at(u, v) - tolerance < pickDist.at(p, q) && pickDist.at(p, q) < catDist.at(u, v) + tolerance;
    };
    std::vector<FigureRow> rows;
    for (int i = 1; i <= catCount; ++i) {
        if (rows.size() > 300) break;
        for (int j = 1; j <= catCount; ++j) {
            if (!match(i, j, 1, 2)) continue;
            for (int k = 1; k <= catCount; ++k) {
                if (!(match(j, k, 2, 3) && match(i, k, 1, 3))) continue;
                for (int l = 1; l <= catCount; ++l) {
                    if (!match(i, l, 1, 4)) continue;
                    for (int m = 1; m <= catCount; ++m) {
                        if (match(i, m, 1, 5) && match(l, m, 4, 5) && match(l, k, 4, 3) && match(l, j, 4, 2) &&
                            match(m, j, 5, 2) && match(m, k, 5, 3)) {
                            rows.push_back({static_cast<Int16>(i), static_cast<Int16>(j), static_cast<Int16>(k),
                                            static_cast<Int16>(l), static_cast<Int16>(m)});
                            if (rows.size() == 800) return rows;
                        }
                    }
                }
            }
        }
    }
    return rows;
}

}  // namespace sextrix::testing
