#pragma once
// The automatic identification of a whole field, on values:
//
// 1. the catalogue stars are laid on the tangent plane of the hinted centre,
//    in the scaled units of the hints (pixels per degree), unrounded;
// 2. five picks are chosen among the brightest detected stars (auto_picks.h),
//    or the caller's five are used;
// 3. the figure search (identifyCandidates) runs for them at the hinted
//    scale and at scales stepped across its uncertainty;
// 4. each candidate is judged by how many detected stars its plate puts a
//    catalogue star on (matchStars), and the best is taken only as
//    acceptance.h states;
// 5. the accepted plate is refined on all its pairs (refineSolution) and
//    must hold;
// 6. otherwise the next five-star set is tried, until the sets or the time
//    budget run out.
#include <optional>
#include <string>
#include <vector>

#include "acceptance.h"
#include "detect/star_detection.h"
#include "geometry/plate.h"
#include "identify/decider.h"
#include "refine/plate_refinement.h"
#include "state/tan_solution.h"

namespace sextrix {

struct SolveHints {
    double centreRaDeg = 0;  // J2000.0
    double centreDecDeg = 0;
    // Pixels per degree: of right ascension at the centre ("Corr Asd",
    // corrDec cos(dec) for square pixels) and of declination ("Corr Dec").
    // Their signs are not used: a mirrored image is found like any other.
    double corrAsd = 0;
    double corrDec = 0;
    double tolerance = 7;  // pixels, on each side of the figure
};

struct SolveSettings {
    AcceptanceRule rule;
    RefineSettings refine;
    int poolSize = 10;               // brightest detected stars the picks come from (5..12 is sensible)
    int searchStars = 200;           // brightest catalogue stars near the field given to the search
    double scaleUncertainty = 0.06;  // relative; scales within it are tried
    // Catalogue stars are searched this far from the hinted centre, in
    // half-diagonals of the image (1.5: a centre off by half a diagonal).
    double searchRadiusHalfDiagonals = 1.6;
    double timeBudgetSeconds = 1.5;
    int maxSearches = 0;  // 0: no limit but the time
};

struct SolveOutcome {
    bool solved = false;
    std::string reason;  // why not, when not solved
    TanSolution solution;
    Refinement refinement;
    double rmsPx = 0;
    CandidateScore score;  // of the accepted candidate
    int runnerUpMatches = 0;
    FivePicks picks{};      // the picks of the accepted search
    double scaleRatio = 1;  // true scale over the hinted one, as the search found it
    int searches = 0;       // figure searches run
    double seconds = 0;
};

// solveField
//
// Given:
//   detected       stars detected on the image, brightest first
//   width, height  image size, pixels
//   catalogue      catalogue stars with J2000.0 degrees, brightest first (the
//                  answer's order)
//   hints          the typed centre and scale factors
//   settings       pool, search, rule and budget
// Returned:
//   the refined solution, or the reason none was accepted. Never throws for
//   bad values: they come back as a reason.
SolveOutcome solveField(const std::vector<DetectedStar>& detected, int width, int height,
                        const std::vector<ReferenceStar>& catalogue, const SolveHints& hints,
                        const SolveSettings& settings = {});

// The same with the caller's five picks (pixels) instead of automatic ones.
SolveOutcome solveFieldWithPicks(const FivePicks& picks, const std::vector<DetectedStar>& detected, int width,
                                 int height, const std::vector<ReferenceStar>& catalogue, const SolveHints& hints,
                                 const SolveSettings& settings = {});

// The window's affine plate (X = RA degrees * corrAsd, Y = Dec degrees *
// corrDec) closest to a solution over the image, by least squares on a grid
// of points; right ascensions are taken within half a turn of centreRaDeg,
// as the catalogue readers take them.
Plate windowPlateFor(const TanSolution& solution, double corrAsd, double corrDec, double centreRaDeg, int width,
                     int height);

// The solution's orientation: position angle of the image's up direction,
// degrees east of north in [0, 360), and whether the image is mirrored
// (east to the right when north is up).
struct Orientation {
    double upPositionAngleDeg = 0;
    bool mirrored = false;
};
Orientation orientationOf(const TanSolution& solution);

}  // namespace sextrix
