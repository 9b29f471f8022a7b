#include "identification.h"

#include <algorithm>
#include <stdexcept>

#include "star_distance.h"
#include "three_star_plate.h"

namespace sextrix {

bool firstThreeCollinear(const FivePicks& picks) {
    // The plate's determinant depends on the picked positions only.
    auto pair = [&](int k) { return StarPair{picks[k].x, picks[k].y, 0, 0}; };
    return !plateFromThreePairs(pair(0), pair(1), pair(2));
}

std::vector<Candidate> identifyCandidates(const IdentificationInput& input) {
    const int n = std::clamp(input.catCount, 0, kIdentifyCapacity);
    SquareTable pickDist(5), catDist(n);
    return identifyCandidates(input, pickDist, catDist);
}

std::vector<Candidate> identifyCandidates(const IdentificationInput& input, SquareTable& pickDist,
                                          SquareTable& catDist) {
    const int n = std::max(input.catCount, 0);
    if (n > kIdentifyCapacity) throw std::invalid_argument("more catalogue stars than the identification takes");
    if (pickDist.size() < 5) throw std::invalid_argument("picked distance table too small");
    const FivePicks& picks = input.picks;
    for (int k = 0; k < 5; ++k)
        for (int l = 0; l < 5; ++l)
            pickDist.at(k + 1, l + 1) = starDistance(picks[k].x, picks[k].y, picks[l].x, picks[l].y);
    fillDistances(catDist, input.catX, input.catY, n);

    const std::vector<FigureRow> rows = findFigures({pickDist, catDist, input.catX, input.catY, n, input.tolerance});
    std::vector<Candidate> candidates;
    candidates.reserve(rows.size());
    for (const FigureRow& row : rows) {
        auto pair = [&](int column) {
            const int star = row[column];
            return StarPair{picks[column].x, picks[column].y, input.catX[star], input.catY[star]};
        };
        Candidate c{row, plateFromThreePairs(pair(0), pair(1), pair(2)), 0};
        if (c.plate) c.deciderHits = deciderHitsAt(*c.plate, picks, input.catX, input.catY, n, input.window);
        candidates.push_back(c);
    }
    return candidates;
}

}  // namespace sextrix
