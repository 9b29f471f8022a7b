#pragma once
// A field found with no hint: the blind search (blind_search.h) proposes
// plates from the index beside the local catalogue; each is handed to the
// ordinary identification as its hints, with the local catalogue's stars
// around the plate's centre, and only a solution that identification
// accepts, under its own rule, is reported. sextrix-solve --blind and the
// window's "Blind solve" both run it.
#include <memory>
#include <string>
#include <vector>

#include "autosolve/solve_field.h"
#include "blind/blind_index.h"
#include "blind/blind_search.h"
#include "detect/star_detection.h"
#include "localcat/local_catalogue.h"

namespace sextrix {

struct BlindSolve {
    SolveOutcome outcome;
    std::vector<ReferenceStar> catalogue;  // the one the solution was proven on
    BlindStats stats;
    int proven = 0;  // candidates put to the identification
};

class BlindSolver {
public:
    // The catalogue and the index file are read once; std::runtime_error
    // names a file that cannot be read.
    BlindSolver(const std::string& cataloguePath, const std::string& indexPath, BlindSettings settings,
                double magLimit);
    BlindSolve solve(const std::vector<DetectedStar>& detected, int width, int height) const;
    const BlindIndex& index() const { return index_; }

private:
    LocalCatalogue catalogue_;
    BlindIndex index_;
    BlindSettings settings_;
    double magLimit_;
};

}  // namespace sextrix
