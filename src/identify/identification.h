#pragma once
// The identification on values: the five picked stars against the scaled
// catalogue positions, giving every candidate of the figure search with the
// plate it implies and its decider count. Showing the candidates and asking
// the user is the window's business.
#include <optional>
#include <vector>

#include "decider.h"
#include "figure_search.h"
#include "geometry/plate.h"

namespace sextrix {

struct IdentificationInput {
    FivePicks picks;                  // pixels
    const std::vector<double>& catX;  // stars 1..catCount in scaled units, index 0 unused
    const std::vector<double>& catY;
    int catCount = 0;      // at most kIdentifyCapacity
    double tolerance = 0;  // pixels
    DeciderWindow window;
};

struct Candidate {
    FigureRow row;               // catalogue stars matched to picked stars 1..5
    std::optional<Plate> plate;  // through the first three pairs; nothing when those picks are collinear
    Int16 deciderHits = 0;       // deciderHitsAt under the plate; 0 without one
};

// Whether picked stars 1, 2 and 3 lie exactly on one line: no candidate can
// then give a plate.
bool firstThreeCollinear(const FivePicks& picks);

// The candidates in the rows' order of findFigures.
//
// Notes:
// 1. Picked stars 4 and 5 serve only in the search and the decider; the
//    plate is exact through the first three pairs (plateFromThreePairs).
// 2. The decider count is the one the chart's markers would give
//    (countDeciderHits), computed from positions.
// 3. Throws std::invalid_argument when catCount exceeds kIdentifyCapacity or
//    the positions given.
std::vector<Candidate> identifyCandidates(const IdentificationInput& input);

// The same, with the distance tables of the caller: pickDist (1..5 at
// least) and catDist (1..catCount at least) are filled and left filled, so
// that a caller that keeps them allocates them once.
std::vector<Candidate> identifyCandidates(const IdentificationInput& input, SquareTable& pickDist,
                                          SquareTable& catDist);

}  // namespace sextrix
