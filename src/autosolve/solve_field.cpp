#include "solve_field.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <set>

#include "auto_picks.h"
#include "geometry/plate.h"
#include "geometry/tan_projection.h"
#include "identify/identification.h"
#include "match_chance.h"
#include "refine/star_matching.h"
#include "refine/tan_fit.h"
#include "solvable_stars.h"
#include "state/angle_units.h"
#include "triangle_search.h"

namespace sextrix {

// The catalogue on the tangent plane of the hinted centre, in pixels at the
// hinted scale: the figure search compares these distances with the picks'.
FieldSolver::PlaneCatalogue FieldSolver::planeCatalogue(const std::vector<ReferenceStar>& catalogue,
                                                        const SolveHints& hints) {
    PlaneCatalogue plane;
    const double cosDec = std::cos(toRadians(hints.centreDecDeg));
    plane.ky = std::abs(hints.corrDec);
    plane.kx = cosDec > 1e-6 ? std::abs(hints.corrAsd) / cosDec : plane.ky;
    for (std::size_t i = 0; i < catalogue.size(); ++i) {
        const auto s =
            standardCoordinates(hints.centreRaDeg, hints.centreDecDeg, catalogue[i].raDeg, catalogue[i].decDeg);
        if (!s) continue;
        plane.x.push_back(s->x * plane.kx);
        plane.y.push_back(s->y * plane.ky);
        plane.star.push_back(static_cast<int>(i));
    }
    return plane;
}

// A plate on the plane (scaled by `scale`) as a tangent-plane solution about
// the hinted centre; nothing when the plate cannot be inverted.
std::optional<TanSolution> FieldSolver::tanFromPlate(const Plate& plate, double scale) const {
    const auto origin = skyToPixel(plate, 0, 0);
    if (!origin) return std::nullopt;
    TanSolution s;
    s.refX = origin->x;
    s.refY = origin->y;
    s.refRaDeg = hints_.centreRaDeg;
    s.refDecDeg = hints_.centreDecDeg;
    const double sx = scale * plane_.kx, sy = scale * plane_.ky;
    s.cd = {plate.a / sx, plate.b / sx, plate.d / sy, plate.e / sy};
    return s;
}

namespace {

bool onImage(const PixelPosition& p, int width, int height) {
    return p.x >= -0.5 && p.y >= -0.5 && p.x < width - 0.5 && p.y < height - 0.5;
}

// Two plates are one solution when they put the image's corners and centre
// within the matching radius of each other.
bool sameSolution(const Plate& p, const Plate& q, int width, int height, double radiusPx) {
    const double w = width - 1, h = height - 1;
    const std::array<std::array<double, 2>, 5> points{{{0, 0}, {w, 0}, {0, h}, {w, h}, {w / 2, h / 2}}};
    for (const auto& pt : points) {
        const ScaledPoint sky = pixelToSky(p, pt[0], pt[1]);
        const auto back = skyToPixel(q, sky.x, sky.y);
        if (!back || std::hypot(back->x - pt[0], back->y - pt[1]) > radiusPx) return false;
    }
    return true;
}

// Picks settle the search's candidates whatever the plate: this many of the
// first half's matches are taken as given, not as evidence (the picks' stars
// fall in either half).
constexpr int kPickMatchesInHalf = 3;
// The first half's stars must match at least this many detected stars.
constexpr int kMinCandidateMatches = 4;
// A triangle is a weaker figure than five stars and gives many more
// candidates: only those with a chance this small are proven.
constexpr double kTriangleCandidateLog10 = -2;

}  // namespace

// Catalogue stars the hinted field holds: those within the image's
// half-diagonal of the hinted centre, times the image's share of that circle.
int FieldSolver::catalogueOnImage(const PlaneCatalogue& plane, int width, int height) {
    const double reach = std::hypot(width, height) / 2;
    int inside = 0;
    for (std::size_t i = 0; i < plane.x.size(); ++i)
        if (std::hypot(plane.x[i], plane.y[i]) <= reach) ++inside;
    return static_cast<int>(std::lround(inside * double(width) * height / (std::numbers::pi * reach * reach)));
}

FieldSolver::FieldSolver(const std::vector<DetectedStar>& detected, int width, int height,
                         const std::vector<ReferenceStar>& catalogue, const SolveHints& hints,
                         const SolveSettings& settings)
    : detected_(detected), width_(width), height_(height), catalogue_(catalogue), hints_(hints), settings_(settings) {}

std::string FieldSolver::refusal() const {
    if (width_ < 1 || height_ < 1) return "the image has no pixels";
    if (!std::isfinite(hints_.centreRaDeg) || !std::isfinite(hints_.centreDecDeg) || std::abs(hints_.centreDecDeg) > 90)
        return "the centre is not a sky position";
    if (!std::isfinite(hints_.corrAsd) || !std::isfinite(hints_.corrDec) || hints_.corrAsd == 0 || hints_.corrDec == 0)
        return "the scale factors must be non-zero numbers";
    if (!(hints_.tolerance > 0)) return "the tolerance must be positive";
    if (detected_.size() < 5) return "fewer than five stars detected on the image";
    return {};
}

void FieldSolver::refuse(std::string reason) { outcome_.reason = std::move(reason); }

const SolvePreparation& FieldSolver::prepare() {
    plane_ = planeCatalogue(catalogue_, hints_);
    SolvePreparation& p = prepared_;
    p.stars = solvableStars(detected_, catalogueOnImage(plane_, width_, height_));
    // Three times the width of the image's unclipped stars: the bright
    // ones kept here are bloated by saturation.
    fwhmPx_ = extendedTestFor(detected_).typicalFwhm;
    p.matchRadiusPx = fwhmPx_ > 0 ? std::max(3 * fwhmPx_, 2.0) : matchRadiusFor(p.stars);
    refine_ = settings_.refine;
    refine_.matchRadiusPx = p.matchRadiusPx;
    // A right solution puts the held-back stars within their centroid
    // errors and the catalogue's, well inside the seeing disc.
    p.proofRadiusPx = std::clamp(0.6 * fwhmPx_, 1.5, p.matchRadiusPx);
    density_ = DetectionDensity(p.stars, width_, height_, 4 * p.matchRadiusPx);
    for (std::size_t k = 0; k < plane_.star.size(); ++k) {
        const ReferenceStar& star = catalogue_[static_cast<std::size_t>(plane_.star[k])];
        (k % 2 == 0 ? firstHalf_ : secondHalf_).push_back(star);
        if (k % 2 == 0) firstHalfPlane_.push_back(k);
    }
    p.firstHalf = static_cast<int>(firstHalf_.size());
    p.secondHalf = static_cast<int>(secondHalf_.size());
    // The search takes the brightest stars near the hinted field.
    const double reach = settings_.searchRadiusHalfDiagonals * std::hypot(width_, height_) / 2;
    searchX_ = {0};
    searchY_ = {0};
    const int limit = std::min(settings_.searchStars, kIdentifyCapacity);
    for (std::size_t i = 0; i < plane_.x.size() && static_cast<int>(searchX_.size()) <= limit; ++i) {
        if (std::hypot(plane_.x[i], plane_.y[i]) > reach * (1 + settings_.scaleUncertainty)) continue;
        searchX_.push_back(plane_.x[i]);
        searchY_.push_back(plane_.y[i]);
    }
    p.searchStars = static_cast<int>(searchX_.size()) - 1;
    return p;
}

bool FieldSolver::trySet(const FivePicks& picks) {
    if (firstThreeCollinear(picks)) return false;
    double longest = 0;
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 5; ++j)
            longest = std::max(longest, std::hypot(picks[i].x - picks[j].x, picks[i].y - picks[j].y));
    if (longest <= 0) return false;
    // Neighbouring scales overlap: a side of the longest length moves by
    // less than the tolerance from one to the next.
    const double step = std::max(hints_.tolerance / longest, 1e-3);
    const int steps = static_cast<int>(std::ceil(settings_.scaleUncertainty / step));
    for (int k = 0; k <= 2 * steps; ++k) {
        if (outOfSearches()) return false;
        const int signedStep = (k % 2 == 1 ? 1 : -1) * ((k + 1) / 2);  // 0, +1, -1, +2, ...
        if (searchAt(picks, 1 + signedStep * step)) return true;
    }
    return false;
}

bool FieldSolver::tryTriangles() {
    std::vector<PixelPosition> pool;
    for (const auto& s : prepared_.stars)
        if (!s.has(StarEdge) && static_cast<int>(pool.size()) < settings_.trianglePool) pool.push_back({s.x, s.y});
    const std::vector<double> catX(
        searchX_.begin() + 1,
        searchX_.begin() + std::min<std::size_t>(searchX_.size(), settings_.triangleCatalogue + 1));
    const std::vector<double> catY(
        searchY_.begin() + 1,
        searchY_.begin() + std::min<std::size_t>(searchY_.size(), settings_.triangleCatalogue + 1));
    const auto candidates = triangleCandidates(
        {pool, catX, catY, hints_.tolerance, settings_.scaleUncertainty, settings_.maxTriangleCandidates});
    for (const TriangleCandidate& c : candidates) {
        if (outOfProofs()) break;
        const CandidateEvidence e = evidence(c.plate, 1);
        if (e.matches < kMinCandidateMatches || !(e.log10Chance < kTriangleCandidateLog10)) continue;
        const FivePicks picks{{{c.corners[0].x, c.corners[0].y},
                               {c.corners[1].x, c.corners[1].y},
                               {c.corners[2].x, c.corners[2].y},
                               {c.corners[2].x, c.corners[2].y},
                               {c.corners[2].x, c.corners[2].y}}};
        const CandidateChoice choice{{e, c.plate}, 0, Verdict::Accepted};
        const CandidateProof proof = prove(choice, picks, 1);
        if (proof.verdict == Verdict::Accepted && accept(choice, proof, picks, 1) == Verdict::Accepted) return true;
    }
    return false;
}

SolveOutcome FieldSolver::finish() {
    if (!outcome_.solved && outcome_.reason.empty()) {
        outcome_.reason = furthest_ == Verdict::Accepted ? "no candidate found" : verdictText(furthest_);
        if (outOfProofs())
            outcome_.reason += " (proof limit reached)";
        else if (outOfSearches())
            outcome_.reason += " (search limit reached)";
    }
    outcome_.proofs = static_cast<int>(proofsTried_);
    return outcome_;
}

CandidateEvidence FieldSolver::evidence(const Plate& plate, double scale) {
    predicted_.clear();
    for (std::size_t k : firstHalfPlane_) {
        const ScaledPoint p = skyToPixelUnchecked(plate, plane_.x[k] * scale, plane_.y[k] * scale);
        if (onImage({p.x, p.y}, width_, height_)) predicted_.push_back({p.x, p.y});
    }
    const MatchEvidence e =
        matchEvidence(predicted_, prepared_.stars, density_, prepared_.matchRadiusPx, kPickMatchesInHalf);
    return {e.matches, e.log10Chance, e.matches - e.expected};
}

void FieldSolver::note(Verdict v) {
    // The verdict that got furthest down the rule explains a failure best.
    if (furthest_ == Verdict::Accepted || static_cast<int>(v) > static_cast<int>(furthest_)) furthest_ = v;
}

std::vector<JudgedCandidate> FieldSolver::candidates(const FivePicks& picks, double scale) {
    const int n = static_cast<int>(searchX_.size()) - 1;
    scaledX_.resize(searchX_.size());
    scaledY_.resize(searchY_.size());
    for (std::size_t i = 0; i < searchX_.size(); ++i) {
        scaledX_[i] = searchX_[i] * scale;
        scaledY_[i] = searchY_[i] * scale;
    }
    ++outcome_.searches;
    const auto found = identifyCandidates(
        {picks, scaledX_, scaledY_, n, hints_.tolerance, deciderWindow(hints_.tolerance + 3)}, pickDist_, catDist_);

    std::vector<JudgedCandidate> judged;
    for (const Candidate& c : found) {
        // Picks 4 and 5 must land too, as the window's decider asks.
        if (!c.plate || c.deciderHits <= 3 || plateDet(*c.plate) == 0) continue;
        judged.push_back({evidence(*c.plate, scale), *c.plate});
    }
    return judged;
}

std::optional<CandidateChoice> FieldSolver::choose(const std::vector<JudgedCandidate>& judged) {
    if (judged.empty()) return std::nullopt;
    const auto best =
        std::min_element(judged.begin(), judged.end(), [](const JudgedCandidate& a, const JudgedCandidate& b) {
            return a.evidence.log10Chance < b.evidence.log10Chance;
        });
    double runnerUp = 0;
    for (const JudgedCandidate& j : judged)
        if (j.evidence.excess > runnerUp &&
            !sameSolution(best->plate, j.plate, width_, height_, prepared_.matchRadiusPx))
            runnerUp = j.evidence.excess;

    CandidateEvidence counted = best->evidence;
    counted.matches = std::max(0, counted.matches);
    const Verdict verdict = counted.matches < kMinCandidateMatches ? Verdict::TooFewMatches
                                                                   : judgeCandidate(counted, runnerUp, candidateRule());
    note(verdict);
    return CandidateChoice{*best, runnerUp, verdict};
}

bool FieldSolver::searchAt(const FivePicks& picks, double scale) {
    const auto choice = choose(candidates(picks, scale));
    if (!choice || choice->verdict != Verdict::Accepted) return false;
    const CandidateProof proof = prove(*choice, picks, scale);
    return proof.verdict == Verdict::Accepted && accept(*choice, proof, picks, scale) == Verdict::Accepted;
}

// Rule 1 without its own count of matches, which the first half is too
// small to meet on a shallow catalogue: the whole fit must meet it.
AcceptanceRule FieldSolver::candidateRule() const {
    AcceptanceRule rule = settings_.rule;
    rule.minMatches = kMinCandidateMatches;
    return rule;
}

// Predict, pair and fit from a first solution, twice, so that stars near
// the edges that the first put too far off join in.
Refinement FieldSolver::refineTwice(const TanSolution& first, const std::vector<ReferenceStar>& stars,
                                    const RefineSettings& settings) const {
    Refinement r = refineSolution(first, stars, prepared_.stars, width_, height_, settings);
    if (r.solution) {
        Refinement again = refineSolution(*r.solution, stars, prepared_.stars, width_, height_, settings);
        if (again.solution) r = std::move(again);
    }
    return r;
}

// Pixels per degree of the solution over the hinted ones.
double FieldSolver::scaleRatioOf(const TanSolution& s) const {
    return 3600 / tanScaleArcsecPerPixel(s) / std::abs(hints_.corrDec);
}

// The held-back stars of one half, predicted by the fit on the other;
// stars at the picks take no part, as the search chose the candidate for
// them.
std::vector<PixelPosition> FieldSolver::heldBack(const TanSolution& fit, const std::vector<ReferenceStar>& half,
                                                 const FivePicks& picks) const {
    std::vector<PixelPosition> held;
    for (const auto& star : half) {
        auto p = tanSkyToPixel(fit, star.raDeg, star.decDeg);
        bool usable = p && onImage(*p, width_, height_);
        for (const auto& pick : picks)
            if (usable && std::hypot(p->x - pick.x, p->y - pick.y) <= prepared_.matchRadiusPx) usable = false;
        held.push_back(usable ? *p : PixelPosition{NAN, NAN});
    }
    return held;
}

CandidateProof FieldSolver::prove(const CandidateChoice& choice, const FivePicks& picks, double scale) {
    CandidateProof result;
    const auto first = tanFromPlate(choice.best.plate, scale);
    if (!first) return result;
    // Each half is fitted alone and predicts the other: every held-back
    // star is judged by a solution it took no part in.
    // A plain tangent plane is enough to predict, and cannot bend to
    // chance pairs.
    RefineSettings halfSettings = refine_;
    halfSettings.minMatches = kMinCandidateMatches;
    halfSettings.maxSipOrder = 0;
    const Refinement fitFirst = refineSolution(*first, firstHalf_, prepared_.stars, width_, height_, halfSettings);
    const Refinement fitSecond = refineSolution(*first, secondHalf_, prepared_.stars, width_, height_, halfSettings);
    if (!fitFirst.solution && !fitSecond.solution) {
        note(Verdict::NotProven);
        return result;
    }
    const Refinement& half = fitFirst.solution ? fitFirst : fitSecond;
    std::vector<PixelPosition> held;
    if (fitFirst.solution) held = heldBack(*fitFirst.solution, secondHalf_, picks);
    if (fitSecond.solution) {
        const auto more = heldBack(*fitSecond.solution, firstHalf_, picks);
        held.insert(held.end(), more.begin(), more.end());
    }
    const MatchEvidence proof = matchEvidence(held, prepared_.stars, density_, prepared_.proofRadiusPx);
    ++proofsTried_;
    const double penalty = priorPenaltyLog10(orientationOf(*half.solution).mirrored, hints_.mirrored,
                                             scaleRatioOf(*half.solution), settings_.rule);
    result.halfSolution = half.solution;
    result.matches = proof.matches;
    result.predicted = proof.predicted;
    result.log10FalseAlarm = proof.log10Chance + std::log10(double(proofsTried_)) + penalty;
    result.verdict = judgeProof(proof.log10Chance, proofsTried_, penalty, settings_.rule);
    if (result.verdict != Verdict::Accepted) note(Verdict::NotProven);
    return result;
}

Verdict FieldSolver::accept(const CandidateChoice& choice, const CandidateProof& proof, const FivePicks& picks,
                            double scale) {
    if (proof.verdict != Verdict::Accepted || !proof.halfSolution) return proof.verdict;
    Refinement r = refineTwice(*proof.halfSolution, catalogue_, refine_);
    if (!r.solution) {
        note(Verdict::RefinementFails);
        return Verdict::RefinementFails;
    }
    const double rmsPx = r.rmsArcsec / tanScaleArcsecPerPixel(*r.solution);
    const Verdict verdict = judgeRefinement(r.used, polynomialTerms(std::max(1, r.sipOrder)), rmsPx,
                                            scaleRatioOf(*r.solution), settings_.rule);
    if (verdict != Verdict::Accepted) {
        note(Verdict::RefinementFails);
        return verdict;
    }
    outcome_.solved = true;
    outcome_.solution = *r.solution;
    outcome_.refinement = std::move(r);
    outcome_.rmsPx = rmsPx;
    outcome_.matches = choice.best.evidence.matches;
    outcome_.runnerUpExcess = choice.runnerUpExcess;
    outcome_.proofMatches = proof.matches;
    outcome_.proofPredicted = proof.predicted;
    outcome_.log10FalseAlarm = proof.log10FalseAlarm;
    outcome_.picks = picks;
    outcome_.scaleRatio = scale;
    return Verdict::Accepted;
}

namespace {

// Inputs that cannot be solved are refused before anything is prepared;
// otherwise search runs the five-star sets it chooses.
template <class Search>
SolveOutcome runSolver(const std::vector<DetectedStar>& detected, int width, int height,
                       const std::vector<ReferenceStar>& catalogue, const SolveHints& hints,
                       const SolveSettings& settings, Search search) {
    FieldSolver solver(detected, width, height, catalogue, hints, settings);
    if (std::string why = solver.refusal(); !why.empty()) {
        solver.refuse(std::move(why));
        return solver.finish();
    }
    search(solver, solver.prepare());
    return solver.finish();
}

}  // namespace

SolveOutcome solveField(const std::vector<DetectedStar>& detected, int width, int height,
                        const std::vector<ReferenceStar>& catalogue, const SolveHints& hints,
                        const SolveSettings& settings) {
    return runSolver(detected, width, height, catalogue, hints, settings,
                     [&](FieldSolver& solver, const SolvePreparation& prepared) {
                         // First the clean stars; then, with the other half of the searches,
                         // the blends too, which the bright stars of a real photograph are.
                         const std::vector<DetectedStar>& usable = prepared.stars;
                         std::set<std::array<int, 5>> tried;
                         for (const bool withBlends : {false, true}) {
                             const int limit = withBlends ? settings.maxSearches : settings.maxSearches / 2;
                             const std::vector<int> pool =
                                 pickPool(usable, settings.poolSize, 2 * hints.tolerance, withBlends);
                             for (const auto& set : pickCombinations(static_cast<int>(pool.size()))) {
                                 if (solver.searches() >= limit || solver.outOfProofs()) break;
                                 std::array<int, 5> stars;
                                 for (int k = 0; k < 5; ++k) stars[k] = pool[set[k]];
                                 if (!tried.insert(stars).second) continue;
                                 std::array<PickedStar, 5> picks;
                                 for (int k = 0; k < 5; ++k) picks[k] = {usable[stars[k]].x, usable[stars[k]].y};
                                 if (solver.trySet(orderedPicks(picks))) return;
                             }
                         }
                         solver.tryTriangles();
                     });
}

SolveOutcome solveFieldWithPicks(const FivePicks& picks, const std::vector<DetectedStar>& detected, int width,
                                 int height, const std::vector<ReferenceStar>& catalogue, const SolveHints& hints,
                                 const SolveSettings& settings) {
    return runSolver(detected, width, height, catalogue, hints, settings,
                     [&](FieldSolver& solver, const SolvePreparation&) {
                         if (firstThreeCollinear(picks))
                             solver.refuse("the first three picks lie on one line");
                         else
                             solver.trySet(picks);
                     });
}

Plate windowPlateFor(const TanSolution& solution, double corrAsd, double corrDec, double centreRaDeg, int width,
                     int height) {
    // Normal equations of X (and Y) = p x + q y + r over a 9 x 9 grid.
    double sxx = 0, sxy = 0, syy = 0, sx = 0, sy = 0, n = 0;
    std::array<double, 3> bx{}, by{};
    constexpr int kGrid = 9;
    for (int i = 0; i < kGrid; ++i)
        for (int j = 0; j < kGrid; ++j) {
            const double x = (width - 1) * i / double(kGrid - 1), y = (height - 1) * j / double(kGrid - 1);
            const SkyDirection sky = tanPixelToSky(solution, x, y);
            const double ra = sky.raDeg + 360 * std::round((centreRaDeg - sky.raDeg) / 360);
            const double X = ra * corrAsd, Y = sky.decDeg * corrDec;
            sxx += x * x, sxy += x * y, syy += y * y, sx += x, sy += y, n += 1;
            bx[0] += x * X, bx[1] += y * X, bx[2] += X;
            by[0] += x * Y, by[1] += y * Y, by[2] += Y;
        }
    return solvePlate({{{{sxx, sxy, sx}, {sxy, syy, sy}, {sx, sy, n}}}, bx, by});
}

Orientation orientationOf(const TanSolution& solution) {
    const auto& cd = solution.cd;
    // Up on the image is -y; its direction on the sky, east of north.
    double pa = toDegrees(std::atan2(-cd[1], -cd[3]));
    if (pa < 0) pa += 360;
    return {pa, cd[0] * cd[3] - cd[1] * cd[2] < 0};
}

}  // namespace sextrix
