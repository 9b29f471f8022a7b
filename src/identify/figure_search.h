#pragma once
// The figure search of the identification: every five-star figure of the
// catalogue whose ten sides agree with those of the five picked stars.
//
// Catalogue indexes i, j, k, l, m are tried for picked stars 1..5. Rows come
// in ascending lexicographic order of (i, j, k, l, m); indexes may repeat (one
// catalogue star can serve two picked stars closer than the tolerance), and
// mirror-image figures are found like any other. The search stops before a new
// first star i once more than 300 rows exist, and at once when the table of
// 800 rows is full.
#include <array>
#include <vector>

#include "state/reduction_values.h"

namespace sextrix {

// Catalogue indexes matched to picked stars 1..5.
using FigureRow = std::array<Int16, 5>;

// No new first star is tried once the row count exceeds this.
constexpr int kFirstStarStop = 300;

// One side agrees: catalogueSide - tolerance < pickedSide < catalogueSide +
// tolerance, both strict, so a tolerance of 0 matches nothing and NaN never
// matches.
inline bool sideMatches(double catalogueSide, double pickedSide, double tolerance) {
    return catalogueSide - tolerance < pickedSide && pickedSide < catalogueSide + tolerance;
}

struct FigureSearchInput {
    const SquareTable& pickDist;      // picked stars 1..5, pixels
    const SquareTable& catDist;       // catalogue stars 1..catCount, scaled units
    const std::vector<double>& catX;  // the positions catDist was computed from with
    const std::vector<double>& catY;  //   starDistance; used only to prune
    int catCount = 0;
    double tolerance = 0;  // pixels
};

// The rows, identical to the plain five-deep loop over 1..catCount with the
// tests in the order: (1,2); (2,3), (1,3); (1,4); (1,5), (4,5), (4,3), (4,2),
// (5,2), (5,3). Throws std::invalid_argument when catCount exceeds the tables.
std::vector<FigureRow> findFigures(const FigureSearchInput& input);

}  // namespace sextrix
