#pragma once
// The automatic identification of a whole field, on values:
//
// 1. the catalogue stars are laid on the tangent plane of the hinted centre,
//    in the scaled units of the hints (pixels per degree), unrounded;
// 2. the detected stars are narrowed to the star-like ones of about the
//    catalogue's depth (solvable_stars.h);
// 3. five picks are chosen among the brightest of them (auto_picks.h), or
//    the caller's five are used;
// 4. the figure search (identifyCandidates) runs for them at the hinted
//    scale and at scales stepped across its uncertainty;
// 5. each candidate is judged by how many detected stars its plate puts a
//    catalogue star on against how many chance would (match_chance.h), then
//    proven on catalogue stars held back from the search, and refined on all
//    its pairs, as acceptance.h states;
// 6. otherwise the next five-star set is tried, until the sets or the
//    search limit run out. The limit is a count of searches, so an image and
//    its hints give the same answer on any machine.
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
    // The optics are known to mirror the image; a solution of the other
    // parity needs a stronger case.
    bool mirrored = false;
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
    int maxSearches = 3000;  // figure searches before the triangles are tried
    int maxProofs = 100;     // candidates put to the proof before giving up
    // Then triangles of this many of the brightest detected stars against
    // those of this many of the brightest catalogue stars, at most this many
    // candidates (triangle_search.h).
    int trianglePool = 40;
    int triangleCatalogue = 60;
    long maxTriangleCandidates = 20000;
};

struct SolveOutcome {
    bool solved = false;
    std::string reason;  // why not, when not solved
    TanSolution solution;
    Refinement refinement;
    double rmsPx = 0;
    int matches = 0;             // of the candidate, among the first half of the catalogue
    double runnerUpExcess = 0;   // matches beyond chance of the best different candidate
    int proofMatches = 0;        // held-back catalogue stars found where the solution put them
    int proofPredicted = 0;      // held-back catalogue stars it put on the image
    double log10FalseAlarm = 0;  // chance that a wrong solution proves as well, for the whole solve
    FivePicks picks{};           // the picks of the accepted search
    double scaleRatio = 1;       // true scale over the hinted one, as the search found it
    int searches = 0;            // figure searches run
    int proofs = 0;              // candidates put to the proof
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
