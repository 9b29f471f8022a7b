#include "solve_field.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <numbers>

#include "auto_picks.h"
#include "geometry/tan_projection.h"
#include "identify/identification.h"
#include "refine/star_matching.h"

namespace sextrix {
namespace {

constexpr double kDeg = std::numbers::pi / 180;

// The catalogue on the tangent plane of the hinted centre, in pixels at the
// hinted scale: the figure search compares these distances with the picks'.
struct PlaneCatalogue {
    std::vector<double> x, y;  // every star that has an image on the plane
    std::vector<int> star;     // its index in the caller's list
    double kx = 0, ky = 0;     // pixels per degree of xi and eta
};

PlaneCatalogue planeCatalogue(const std::vector<ReferenceStar>& catalogue, const SolveHints& hints) {
    PlaneCatalogue plane;
    const double cosDec = std::cos(hints.centreDecDeg * kDeg);
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
std::optional<TanSolution> tanFromPlate(const Plate& plate, const PlaneCatalogue& plane, double scale,
                                        const SolveHints& hints) {
    const auto origin = skyToPixel(plate, 0, 0);
    if (!origin) return std::nullopt;
    TanSolution s;
    s.refX = origin->x;
    s.refY = origin->y;
    s.refRaDeg = hints.centreRaDeg;
    s.refDecDeg = hints.centreDecDeg;
    const double sx = scale * plane.kx, sy = scale * plane.ky;
    s.cd = {plate.a / sx, plate.b / sx, plate.d / sy, plate.e / sy};
    return s;
}

struct Judged {
    CandidateScore score;
    Plate plate;
};

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

class Solver {
public:
    Solver(const std::vector<DetectedStar>& detected, int width, int height,
           const std::vector<ReferenceStar>& catalogue, const SolveHints& hints, const SolveSettings& settings)
        : detected_(detected), width_(width), height_(height), catalogue_(catalogue), hints_(hints),
          settings_(settings), start_(std::chrono::steady_clock::now()) {}

    // Nothing wrong with the values: an empty text.
    std::string refusal() const {
        if (width_ < 1 || height_ < 1) return "the image has no pixels";
        if (!std::isfinite(hints_.centreRaDeg) || !std::isfinite(hints_.centreDecDeg) ||
            std::abs(hints_.centreDecDeg) > 90)
            return "the centre is not a sky position";
        if (!std::isfinite(hints_.corrAsd) || !std::isfinite(hints_.corrDec) || hints_.corrAsd == 0 ||
            hints_.corrDec == 0)
            return "the scale factors must be non-zero numbers";
        if (!(hints_.tolerance > 0)) return "the tolerance must be positive";
        if (detected_.size() < 5) return "fewer than five stars detected on the image";
        return {};
    }

    void prepare() {
        plane_ = planeCatalogue(catalogue_, hints_);
        radiusPx_ = matchRadiusFor(detected_);
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
    }

    bool outOfTime() const {
        if (settings_.maxSearches > 0 && outcome_.searches >= settings_.maxSearches) return true;
        return elapsed() > settings_.timeBudgetSeconds;
    }

    // Searches one set of picks at every scale; true once solved.
    bool trySet(const FivePicks& picks) {
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
            if (outOfTime()) return false;
            const int signedStep = (k % 2 == 1 ? 1 : -1) * ((k + 1) / 2);  // 0, +1, -1, +2, ...
            if (searchAt(picks, 1 + signedStep * step)) return true;
        }
        return false;
    }

    SolveOutcome finish() {
        outcome_.seconds = elapsed();
        if (!outcome_.solved && outcome_.reason.empty()) {
            outcome_.reason = furthest_ == Verdict::Accepted ? "no candidate found" : verdictText(furthest_);
            if (outOfTime()) outcome_.reason += " (time budget spent)";
        }
        return outcome_;
    }

    void refuse(std::string reason) { outcome_.reason = std::move(reason); }

private:
    double elapsed() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count(); }

    CandidateScore score(const Plate& plate, double scale) {
        predicted_.clear();
        CandidateScore s;
        for (std::size_t i = 0; i < plane_.x.size(); ++i) {
            const ScaledPoint p = skyToPixelUnchecked(plate, plane_.x[i] * scale, plane_.y[i] * scale);
            const PixelPosition at{p.x, p.y};
            if (!onImage(at, width_, height_)) continue;
            predicted_.push_back(at);
        }
        s.predictedOnImage = static_cast<int>(predicted_.size());
        s.matches = static_cast<int>(matchStars(predicted_, detected_, radiusPx_).size());
        return s;
    }

    void note(Verdict v) {
        // The verdict that got furthest down the rule explains a failure best.
        if (furthest_ == Verdict::Accepted || static_cast<int>(v) > static_cast<int>(furthest_)) furthest_ = v;
    }

    bool searchAt(const FivePicks& picks, double scale) {
        const int n = static_cast<int>(searchX_.size()) - 1;
        scaledX_.resize(searchX_.size());
        scaledY_.resize(searchY_.size());
        for (std::size_t i = 0; i < searchX_.size(); ++i) {
            scaledX_[i] = searchX_[i] * scale;
            scaledY_[i] = searchY_[i] * scale;
        }
        ++outcome_.searches;
        const auto candidates = identifyCandidates(
            {picks, scaledX_, scaledY_, n, hints_.tolerance, deciderWindow(hints_.tolerance + 3)}, pickDist_, catDist_);

        std::vector<Judged> judged;
        for (const Candidate& c : candidates) {
            // Picks 4 and 5 must land too, as the window's decider asks.
            if (!c.plate || c.deciderHits <= 3 || plateDet(*c.plate) == 0) continue;
            judged.push_back({score(*c.plate, scale), *c.plate});
        }
        if (judged.empty()) return false;
        const auto best = std::max_element(judged.begin(), judged.end(), [](const Judged& a, const Judged& b) {
            return a.score.matches < b.score.matches;
        });
        int runnerUp = 0;
        for (const Judged& j : judged)
            if (j.score.matches > runnerUp && !sameSolution(best->plate, j.plate, width_, height_, radiusPx_))
                runnerUp = j.score.matches;

        const Verdict verdict = judgeBest(best->score, static_cast<int>(detected_.size()), runnerUp, settings_.rule);
        note(verdict);
        if (verdict != Verdict::Accepted) return false;
        return refine(*best, runnerUp, picks, scale);
    }

    bool refine(const Judged& best, int runnerUp, const FivePicks& picks, double scale) {
        const auto first = tanFromPlate(best.plate, plane_, scale, hints_);
        if (!first) return false;
        Refinement r = refineSolution(*first, catalogue_, detected_, width_, height_, settings_.refine);
        // A second pass from the refined solution pairs the stars near the
        // edges that the first plate put too far off.
        if (r.solution) {
            Refinement again = refineSolution(*r.solution, catalogue_, detected_, width_, height_, settings_.refine);
            if (again.solution) r = std::move(again);
        }
        if (!r.solution) {
            note(Verdict::RefinementFails);
            return false;
        }
        const double rmsPx = r.rmsArcsec / tanScaleArcsecPerPixel(*r.solution);
        if (judgeRefinement(r.used, rmsPx, settings_.rule) != Verdict::Accepted) {
            note(Verdict::RefinementFails);
            return false;
        }
        outcome_.solved = true;
        outcome_.solution = *r.solution;
        outcome_.refinement = std::move(r);
        outcome_.rmsPx = rmsPx;
        outcome_.score = best.score;
        outcome_.runnerUpMatches = runnerUp;
        outcome_.picks = picks;
        outcome_.scaleRatio = scale;
        return true;
    }

    const std::vector<DetectedStar>& detected_;
    int width_, height_;
    const std::vector<ReferenceStar>& catalogue_;
    SolveHints hints_;
    SolveSettings settings_;
    std::chrono::steady_clock::time_point start_;

    PlaneCatalogue plane_;
    double radiusPx_ = 0;
    std::vector<double> searchX_, searchY_, scaledX_, scaledY_;
    std::vector<PixelPosition> predicted_;
    SquareTable pickDist_{5};
    SquareTable catDist_{kIdentifyCapacity};
    Verdict furthest_ = Verdict::Accepted;
    SolveOutcome outcome_;
};

// Inputs that cannot be solved are refused before anything is prepared;
// otherwise search runs the five-star sets it chooses.
template <class Search>
SolveOutcome runSolver(const std::vector<DetectedStar>& detected, int width, int height,
                       const std::vector<ReferenceStar>& catalogue, const SolveHints& hints,
                       const SolveSettings& settings, Search search) {
    Solver solver(detected, width, height, catalogue, hints, settings);
    if (std::string why = solver.refusal(); !why.empty()) {
        solver.refuse(std::move(why));
        return solver.finish();
    }
    solver.prepare();
    search(solver);
    return solver.finish();
}

}  // namespace

SolveOutcome solveField(const std::vector<DetectedStar>& detected, int width, int height,
                        const std::vector<ReferenceStar>& catalogue, const SolveHints& hints,
                        const SolveSettings& settings) {
    return runSolver(detected, width, height, catalogue, hints, settings, [&](Solver& solver) {
        const std::vector<int> pool = pickPool(detected, settings.poolSize, 2 * hints.tolerance);
        for (const auto& set : pickCombinations(static_cast<int>(pool.size()))) {
            if (solver.outOfTime()) break;
            std::array<PickedStar, 5> stars;
            for (int k = 0; k < 5; ++k) stars[k] = {detected[pool[set[k]]].x, detected[pool[set[k]]].y};
            if (solver.trySet(orderedPicks(stars))) break;
        }
    });
}

SolveOutcome solveFieldWithPicks(const FivePicks& picks, const std::vector<DetectedStar>& detected, int width,
                                 int height, const std::vector<ReferenceStar>& catalogue, const SolveHints& hints,
                                 const SolveSettings& settings) {
    return runSolver(detected, width, height, catalogue, hints, settings, [&](Solver& solver) {
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
    const std::array<std::array<double, 3>, 3> m{{{sxx, sxy, sx}, {sxy, syy, sy}, {sx, sy, n}}};
    const auto det3 = [](const std::array<std::array<double, 3>, 3>& a) {
        return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
               a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
    };
    const double d = det3(m);
    const auto solve = [&](const std::array<double, 3>& b) {
        std::array<double, 3> out{};
        for (int c = 0; c < 3; ++c) {
            auto mc = m;
            for (int r = 0; r < 3; ++r) mc[r][c] = b[r];
            out[c] = det3(mc) / d;
        }
        return out;
    };
    const auto px = solve(bx), py = solve(by);
    return {px[0], px[1], px[2], py[0], py[1], py[2]};
}

Orientation orientationOf(const TanSolution& solution) {
    const auto& cd = solution.cd;
    // Up on the image is -y; its direction on the sky, east of north.
    double pa = std::atan2(-cd[1], -cd[3]) / kDeg;
    if (pa < 0) pa += 360;
    return {pa, cd[0] * cd[3] - cd[1] * cd[2] < 0};
}

}  // namespace sextrix
