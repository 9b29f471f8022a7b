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
//
// solveField runs it all; FieldSolver below has one method per step, for a
// caller that walks them in turn.
#include <optional>
#include <string>
#include <vector>

#include "acceptance.h"
#include "detect/star_detection.h"
#include "geometry/plate.h"
#include "identify/decider.h"
#include "match_chance.h"
#include "refine/plate_refinement.h"
#include "state/reduction_values.h"
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

// The steps of solveField, one method each, for a caller that walks them in
// turn (solveField walks them so):
//
//   FieldSolver solver(detected, width, height, catalogue, hints, settings);
//   1. solver.refusal()                  why the values cannot be solved, or ""
//   2. solver.prepare()                  the stars and radii the search works with
//   3. picks: the caller's, or from prepare().stars (pickPool,
//      pickCombinations, orderedPicks in auto_picks.h)
//   4. solver.candidates(picks, scale)   the figure search's candidates at one
//                                        scale, each judged against chance
//   5. solver.choose(candidates)         the best, its rival, rule 1's verdict
//   6. solver.prove(choice, picks, scale)          rule 2 on the held-back stars
//   7. solver.accept(choice, proof, picks, scale)  rule 3 on the refinement: the
//                                        solution, or the verdict
//   8. solver.finish()                   the outcome, with the reason of a failure
//
// trySet runs 4 to 7 at every scale of the search; tryTriangles runs 6 and 7
// on the triangles' candidates. The detected stars and the catalogue are
// kept by reference: they must outlive the solver.

// What prepare hands on.
struct SolvePreparation {
    std::vector<DetectedStar> stars;    // the solvable detections, brightest first
    double matchRadiusPx = 0;           // of a candidate's matches: three FWHM of the unclipped stars
    double proofRadiusPx = 0;           // of the held-back stars' matches: about the seeing disc
    int searchStars = 0;                // catalogue stars near the field given to the figure search
    int firstHalf = 0, secondHalf = 0;  // catalogue stars on the plane in each half
};

// A candidate of the figure search with a plate and a decider count of four,
// judged on the first half of the catalogue. The plate maps the picks'
// pixels to the catalogue's tangent plane, times the search's scale.
struct JudgedCandidate {
    CandidateEvidence evidence;
    Plate plate;
};

// The best candidate of one search (the lowest chance), the excess of its
// best different rival, and rule 1's verdict on it.
struct CandidateChoice {
    JudgedCandidate best;
    double runnerUpExcess = 0;
    Verdict verdict = Verdict::TooFewMatches;
};

// Rule 2: each half of the catalogue refined alone predicts the other.
struct CandidateProof {
    Verdict verdict = Verdict::NotProven;
    std::optional<TanSolution> halfSolution;  // the fit that goes on to the refinement
    int matches = 0;                          // held-back stars found where predicted
    int predicted = 0;                        // held-back stars predicted on the image
    double log10FalseAlarm = 0;               // chance, times the proofs tried, with the prior penalty
};

class FieldSolver {
public:
    FieldSolver(const std::vector<DetectedStar>& detected, int width, int height,
                const std::vector<ReferenceStar>& catalogue, const SolveHints& hints, const SolveSettings& settings);

    // Step 1. Nothing wrong with the values: an empty text.
    std::string refusal() const;
    // Recorded as the outcome's reason.
    void refuse(std::string reason);

    // Step 2, once, after a refusal that is empty.
    const SolvePreparation& prepare();

    // Step 4. The figure search for the picks with the catalogue scaled by
    // `scale` (1: the hinted scale); counts one search.
    std::vector<JudgedCandidate> candidates(const FivePicks& picks, double scale);

    // Step 5. Nothing when there is no candidate.
    std::optional<CandidateChoice> choose(const std::vector<JudgedCandidate>& candidates);

    // Step 6. Counts one proof, unless the candidate's plate cannot be
    // inverted or neither half can be fitted.
    CandidateProof prove(const CandidateChoice& choice, const FivePicks& picks, double scale);

    // Step 7. On Accepted the outcome holds the solution; a proof that was
    // not accepted is handed back as its verdict, with nothing refined.
    Verdict accept(const CandidateChoice& choice, const CandidateProof& proof, const FivePicks& picks, double scale);

    // Step 8.
    SolveOutcome finish();

    // Steps 4 to 7 for one set of picks at every scale; true once solved.
    bool trySet(const FivePicks& picks);
    // The triangles of the brightest detected stars against those of the
    // brightest catalogue stars near the field; true once solved.
    bool tryTriangles();

    // The budget.
    int searches() const { return outcome_.searches; }
    bool outOfSearches() const { return outcome_.searches >= settings_.maxSearches || outOfProofs(); }
    bool outOfProofs() const { return proofsTried_ >= settings_.maxProofs; }

private:
    struct PlaneCatalogue {
        std::vector<double> x, y;  // every star that has an image on the plane
        std::vector<int> star;     // its index in the caller's list
        double kx = 0, ky = 0;     // pixels per degree of xi and eta
    };

    static PlaneCatalogue planeCatalogue(const std::vector<ReferenceStar>& catalogue, const SolveHints& hints);
    static int catalogueOnImage(const PlaneCatalogue& plane, int width, int height);
    std::optional<TanSolution> tanFromPlate(const Plate& plate, double scale) const;
    CandidateEvidence evidence(const Plate& plate, double scale);
    void note(Verdict v);
    bool searchAt(const FivePicks& picks, double scale);
    AcceptanceRule candidateRule() const;
    Refinement refineTwice(const TanSolution& first, const std::vector<ReferenceStar>& stars,
                           const RefineSettings& settings) const;
    double scaleRatioOf(const TanSolution& s) const;
    std::vector<PixelPosition> heldBack(const TanSolution& fit, const std::vector<ReferenceStar>& half,
                                        const FivePicks& picks) const;

    const std::vector<DetectedStar>& detected_;
    int width_, height_;
    const std::vector<ReferenceStar>& catalogue_;
    SolveHints hints_;
    SolveSettings settings_;
    RefineSettings refine_;

    SolvePreparation prepared_;
    PlaneCatalogue plane_;
    std::vector<ReferenceStar> firstHalf_, secondHalf_;
    std::vector<std::size_t> firstHalfPlane_;
    double fwhmPx_ = 0;
    DetectionDensity density_{{}, 1, 1, 1};
    long proofsTried_ = 0;
    std::vector<double> searchX_, searchY_, scaledX_, scaledY_;
    std::vector<PixelPosition> predicted_;
    SquareTable pickDist_{5};
    SquareTable catDist_{kIdentifyCapacity};
    Verdict furthest_ = Verdict::Accepted;
    SolveOutcome outcome_;
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
