// solve_sim_fields: the automatic identification (solveField) on simulated
// fields with random hints, judged against the true solution of each field.
//
// Every field is drawn from a fixed seed: a sky centre anywhere (some near
// the poles, some across 0 h), 1-30"/px, 512-1500 px a side, any rotation,
// one in ten mirrored; a third hold a rich cluster (hundreds of stars of
// similar brightness packed in part of the field), the rest an ordinary
// magnitude-limited star field. The sky is one star list around the field;
// the image is rendered from it with faint stars the catalogue does not
// list, and the catalogue is the list's stars (sometimes a shallower cut)
// within two half-diagonals of the hinted centre, brightest first, as a
// query at the hint would return them.
//
// Hints: about half good (centre within half a field on each axis, scale
// within 4 %), the rest wrong (a centre two to four fields away with that
// centre's catalogue, or a scale 15-40 % off).
//
// A solution is right when it puts every point of a 10 x 10 grid over the
// image within max(2 px, 5") of where the true solution puts it, WRONG when
// it is not, and the field is declined when nothing is solved. The table
// gives the counts; every WRONG is listed with its parameters, and the exit
// status is 1 when there is one (2 when the judge fails on known answers).
//
//   solve_sim_fields [--fields N] [--seed S] [--only I] [--verbose]
//
// Nothing depends on time: the solver's limits are counts of searches. The
// wall time is printed for information only.
#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "autosolve/solve_field.h"
#include "detect/luminance_image.h"
#include "detect/star_detection.h"
#include "fieldsim/catalogue_answer.h"
#include "fieldsim/field_render.h"
#include "fieldsim/field_setup.h"
#include "fieldsim/seeded_random.h"
#include "fieldsim/sky_projection.h"
#include "geometry/tan_projection.h"

namespace sextrix {
namespace {

using namespace fieldsim;

constexpr double kDeg = std::numbers::pi / 180;

// ---------------------------------------------------------------- the sky

struct Vec3 {
    double x, y, z;
};

Vec3 unitOf(double raDeg, double decDeg) {
    const double a = raDeg * kDeg, d = decDeg * kDeg;
    return {std::cos(d) * std::cos(a), std::cos(d) * std::sin(a), std::sin(d)};
}

SkyPoint skyOf(const Vec3& v) {
    const double n = std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z);
    double ra = std::atan2(v.y, v.x) / kDeg;
    if (ra < 0) ra += 360;
    if (ra >= 360) ra -= 360;
    return {ra, std::asin(std::clamp(v.z / n, -1.0, 1.0)) / kDeg};
}

double separationDeg(double ra1, double dec1, double ra2, double dec2) {
    const Vec3 a = unitOf(ra1, dec1), b = unitOf(ra2, dec2);
    const double cx = a.y * b.z - a.z * b.y, cy = a.z * b.x - a.x * b.z, cz = a.x * b.y - a.y * b.x;
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), a.x * b.x + a.y * b.y + a.z * b.z) / kDeg;
}

// The point distDeg from (ra, dec) at position angle paDeg (north through
// east).
SkyPoint offsetOnSky(double raDeg, double decDeg, double distDeg, double paDeg) {
    const Vec3 c = unitOf(raDeg, decDeg);
    const double a = raDeg * kDeg, d = decDeg * kDeg;
    const Vec3 east{-std::sin(a), std::cos(a), 0};
    const Vec3 north{-std::sin(d) * std::cos(a), -std::sin(d) * std::sin(a), std::cos(d)};
    const double r = distDeg * kDeg, p = paDeg * kDeg;
    const double cn = std::sin(r) * std::cos(p), ce = std::sin(r) * std::sin(p);
    return skyOf({std::cos(r) * c.x + cn * north.x + ce * east.x, std::cos(r) * c.y + cn * north.y + ce * east.y,
                  std::cos(r) * c.z + cn * north.z + ce * east.z});
}

// Solid angle of a cap, steradians.
double capArea(double radiusDeg) { return 2 * std::numbers::pi * (1 - std::cos(radiusDeg * kDeg)); }

// A magnitude from star counts growing by 10^0.3 per magnitude, at most
// limit, never brighter than limit - 8.
double countMagnitude(double limit, SeededRandom& rng) {
    const double u = std::max(rng.uniform(), 1e-300);
    return std::max(limit + std::log10(u) / 0.3, limit - 8);
}

// Stars spread evenly over a cap.
void addFieldStars(std::vector<CatalogueStar>& stars, double raDeg, double decDeg, double radiusDeg, long count,
                   double magLimit, SeededRandom& rng) {
    const double cosR = std::cos(radiusDeg * kDeg);
    for (long i = 0; i < count; ++i) {
        const double cosT = cosR + (1 - cosR) * rng.uniform();
        const double dist = std::acos(std::clamp(cosT, -1.0, 1.0)) / kDeg;
        const SkyPoint p = offsetOnSky(raDeg, decDeg, dist, 360 * rng.uniform());
        stars.push_back({p.raDeg, p.decDeg, countMagnitude(magLimit, rng)});
    }
}

// A rich cluster: count stars of magBright..magFaint, Gaussian about its
// centre with sigma radiusDeg / 2, cut at radiusDeg.
void addCluster(std::vector<CatalogueStar>& stars, const SkyPoint& centre, double radiusDeg, int count,
                double magBright, double magFaint, SeededRandom& rng) {
    for (int i = 0; i < count; ++i) {
        double r = 0;
        do r = radiusDeg / 2 * std::sqrt(-2 * std::log(std::max(rng.uniform(), 1e-300)));
        while (r > radiusDeg);
        const SkyPoint p = offsetOnSky(centre.raDeg, centre.decDeg, r, 360 * rng.uniform());
        stars.push_back({p.raDeg, p.decDeg, magBright + (magFaint - magBright) * rng.uniform()});
    }
}

std::vector<CatalogueStar> within(const std::vector<CatalogueStar>& stars, double raDeg, double decDeg,
                                  double radiusDeg, double magLimit) {
    std::vector<CatalogueStar> out;
    for (const auto& s : stars)
        if (s.mag <= magLimit && separationDeg(raDeg, decDeg, s.raDeg, s.decDeg) <= radiusDeg) out.push_back(s);
    return out;
}

// ---------------------------------------------------------------- one field

enum class HintKind { Good, WrongCentre, WrongScale };
enum class Verdict { Right, Declined, Wrong };

const char* hintName(HintKind k) {
    switch (k) {
        case HintKind::Good: return "good";
        case HintKind::WrongCentre: return "wrong centre";
        case HintKind::WrongScale: return "wrong scale";
    }
    return "?";
}

struct FieldCase {
    int index = 0;
    FieldSetup setup;
    bool cluster = false;
    int clusterStars = 0;
    double clusterRadiusPx = 0;
    bool raw16 = false;         // 16-bit camera with hot pixels and cosmic rays
    double magLimit = 0;        // of the star list
    double catalogueLimit = 0;  // of the catalogue given to the solver
    int listedOnImage = 0;      // star-list stars on the image
    HintKind hintKind = HintKind::Good;
    SolveHints hints;
    double hintOffsetFields = 0;  // hinted centre from the true one, in fields (longer side)
    double hintScaleFactor = 1;   // hinted pixels per degree over the true ones
    std::vector<CatalogueStar> renderStars;
    std::vector<ReferenceStar> catalogue;
};

double halfDiagonalPx(const FieldSetup& s) { return std::hypot(s.width, s.height) / 2; }

FieldCase makeField(int index, std::uint64_t seed) {
    SeededRandom rng(seed * 0x9E3779B97F4A7C15ULL + static_cast<std::uint64_t>(index) * 0xD1B54A32D192ED03ULL + 1);
    for (int k = 0; k < 4; ++k) rng.next();

    FieldCase f;
    f.index = index;
    FieldSetup& s = f.setup;
    s.width = 512 + static_cast<int>(rng.uniform() * 989);
    s.height = 512 + static_cast<int>(rng.uniform() * 989);
    s.arcsecPerPixel = std::exp(std::log(1.0) + (std::log(30.0) - std::log(1.0)) * rng.uniform());
    s.upPositionAngleDeg = 360 * rng.uniform();
    s.mirrored = rng.uniform() < 0.1;
    s.fwhmPx = 2.0 + 2.0 * rng.uniform();
    s.moffatBeta = 2.5 + 1.5 * rng.uniform();
    s.skyLevel = 15 + 35 * rng.uniform();
    s.seed = rng.next();

    const double fieldDeg = std::max(s.width, s.height) * s.arcsecPerPixel / 3600;
    const double halfDiagDeg = halfDiagonalPx(s) * s.arcsecPerPixel / 3600;

    // Where the camera points: one in six near a pole (some with the pole on
    // the image), one in six across 0 h, the rest anywhere on the sphere.
    const double where = rng.uniform();
    if (where < 1.0 / 6) {
        const double fromPole = std::min(10.0, 3 * halfDiagDeg) * rng.uniform();
        s.centreDecDeg = (rng.uniform() < 0.5 ? 1 : -1) * (90 - fromPole);
        s.centreRaDeg = 360 * rng.uniform();
    } else if (where < 2.0 / 6) {
        s.centreDecDeg = std::asin(2 * rng.uniform() - 1) / kDeg * 0.9;
        const double acrossDeg = (rng.uniform() - 0.5) * fieldDeg / std::cos(s.centreDecDeg * kDeg);
        s.centreRaDeg = acrossDeg < 0 ? 360 + acrossDeg : acrossDeg;
    } else {
        s.centreDecDeg = std::asin(2 * rng.uniform() - 1) / kDeg;
        s.centreRaDeg = 360 * rng.uniform();
    }
    if (s.centreRaDeg >= 360) s.centreRaDeg -= 360;

    // Brightness: the list's faintest stars give 100-1000 grey levels, so
    // some lie below the detection limit and some well above it.
    f.magLimit = 11 + 3 * rng.uniform();
    s.zeroPointMag = f.magLimit + 2.5 * (2 + rng.uniform());
    f.catalogueLimit = rng.uniform() < 1.0 / 3 ? f.magLimit - (0.5 + rng.uniform()) : f.magLimit;

    // Stars of the list per image: 40 to 400, log-uniform.
    const double perImage = std::exp(std::log(40.0) + (std::log(400.0) - std::log(40.0)) * rng.uniform());
    s.extraStars = static_cast<int>(perImage * (0.5 + 2.5 * rng.uniform()));
    s.extraMagBright = f.magLimit;
    s.extraMagFaint = f.magLimit + 2;
    s.extraClearancePx = 4;

    f.cluster = index % 3 == 2;
    f.raw16 = rng.uniform() < 0.25;

    // The hint.
    const double kindDraw = rng.uniform();
    f.hintKind = kindDraw < 0.5 ? HintKind::Good : kindDraw < 0.75 ? HintKind::WrongCentre : HintKind::WrongScale;
    SkyPoint hinted{};
    if (f.hintKind == HintKind::WrongCentre) {
        const double dist = (2 + 2 * rng.uniform()) * fieldDeg;
        hinted = offsetOnSky(s.centreRaDeg, s.centreDecDeg, dist, 360 * rng.uniform());
        f.hintScaleFactor = 0.96 + 0.08 * rng.uniform();
    } else {
        const PixelPoint c = imageCentre(s);
        hinted = imageToSky(s, c.x + (rng.uniform() - 0.5) * s.width, c.y + (rng.uniform() - 0.5) * s.height);
        if (f.hintKind == HintKind::Good) {
            f.hintScaleFactor = 0.96 + 0.08 * rng.uniform();
        } else {
            const double off = 0.15 + 0.25 * rng.uniform();
            f.hintScaleFactor = rng.uniform() < 0.5 ? 1 + off : 1 - off;
        }
    }
    f.hintOffsetFields = separationDeg(s.centreRaDeg, s.centreDecDeg, hinted.raDeg, hinted.decDeg) / fieldDeg;
    f.hints.centreRaDeg = hinted.raDeg;
    f.hints.centreDecDeg = hinted.decDeg;
    f.hints.corrDec = 3600 / s.arcsecPerPixel * f.hintScaleFactor;
    f.hints.corrAsd = f.hints.corrDec * std::cos(hinted.decDeg * kDeg);

    // The sky: one star list over a cap that holds the image and the query
    // at the hinted centre, the same density everywhere.
    const double queryDeg = 2 * halfDiagonalPx(s) / f.hints.corrDec;
    const double trueToHint = f.hintOffsetFields * fieldDeg;
    const double capDeg = std::min(179.0, std::max(1.1 * halfDiagDeg, trueToHint + queryDeg) * 1.02);
    const double imageSr = static_cast<double>(s.width) * s.height * std::pow(s.arcsecPerPixel / 3600 * kDeg, 2);
    const long count = std::lround(perImage * capArea(capDeg) / imageSr);
    std::vector<CatalogueStar> sky;
    addFieldStars(sky, s.centreRaDeg, s.centreDecDeg, capDeg, count, f.magLimit, rng);

    if (f.cluster) {
        // Several hundred stars of similar brightness within a tenth to a
        // quarter of the shorter side, somewhere in the middle 60 % of the
        // image. A wrong centre gets a cluster of its own, so the
        // catalogue there is just as rich.
        f.clusterStars = 200 + static_cast<int>(400 * rng.uniform());
        f.clusterRadiusPx = (0.1 + 0.15 * rng.uniform()) * std::min(s.width, s.height);
        const PixelPoint c = imageCentre(s);
        const SkyPoint at =
            imageToSky(s, c.x + (rng.uniform() - 0.5) * 0.6 * s.width, c.y + (rng.uniform() - 0.5) * 0.6 * s.height);
        const double magFaint = f.magLimit - 0.3 * rng.uniform();
        const double magBright = magFaint - (1 + rng.uniform());
        const double radiusDeg = f.clusterRadiusPx * s.arcsecPerPixel / 3600;
        addCluster(sky, at, radiusDeg, f.clusterStars, magBright, magFaint, rng);
        if (f.hintKind == HintKind::WrongCentre) {
            const SkyPoint there =
                offsetOnSky(hinted.raDeg, hinted.decDeg, 0.3 * fieldDeg * rng.uniform(), 360 * rng.uniform());
            addCluster(sky, there, radiusDeg, 200 + static_cast<int>(400 * rng.uniform()), magBright, magFaint, rng);
        }
    }

    f.renderStars = within(sky, s.centreRaDeg, s.centreDecDeg, 1.1 * halfDiagDeg, f.magLimit);
    for (const auto& star : f.renderStars) {
        const auto p = skyToImage(s, star.raDeg, star.decDeg);
        if (p && p->x >= -0.5 && p->y >= -0.5 && p->x < s.width - 0.5 && p->y < s.height - 0.5) ++f.listedOnImage;
    }
    const auto query = brightestFirst(within(sky, hinted.raDeg, hinted.decDeg, queryDeg, f.catalogueLimit));
    for (std::size_t i = 0; i < query.size(); ++i) {
        std::string id = "S";
        id += std::to_string(i + 1);
        f.catalogue.push_back({id, query[i].raDeg, query[i].decDeg});
    }
    return f;
}

// Largest distance, pixels, between where the solution and the truth put
// the sky positions of a 10 x 10 grid over the image; infinite when a point
// has no image under the solution.
double worstGridErrorPx(const TanSolution& truth, const TanSolution& solved, int width, int height) {
    double worst = 0;
    for (int i = 0; i < 10; ++i)
        for (int j = 0; j < 10; ++j) {
            const double x = i * (width - 1) / 9.0, y = j * (height - 1) / 9.0;
            const SkyDirection sky = tanPixelToSky(truth, x, y);
            const auto back = tanSkyToPixel(solved, sky.raDeg, sky.decDeg);
            if (!back) return HUGE_VAL;
            worst = std::max(worst, std::hypot(back->x - x, back->y - y));
        }
    return worst;
}

// The judge itself on known answers, before any field: the truth is within
// a thousandth of a pixel of itself, and a solution moved by 1.5 tolerances,
// turned so its corners move as much, or mirrored is not within tolerance.
bool judgeHolds(const FieldSetup& setup) {
    const TanSolution truth = trueSolution(setup);
    const double tolerance = std::max(2.0, 5.0 / setup.arcsecPerPixel);
    TanSolution moved = truth;
    moved.refX += 1.5 * tolerance;
    TanSolution turned = truth;
    const double angle = 1.5 * tolerance / halfDiagonalPx(setup);
    const double c = std::cos(angle), sn = std::sin(angle);
    turned.cd = {c * truth.cd[0] - sn * truth.cd[2], c * truth.cd[1] - sn * truth.cd[3],
                 sn * truth.cd[0] + c * truth.cd[2], sn * truth.cd[1] + c * truth.cd[3]};
    TanSolution mirrored = truth;
    mirrored.cd[0] = -truth.cd[0];
    mirrored.cd[2] = -truth.cd[2];
    const int w = setup.width, h = setup.height;
    const double self = worstGridErrorPx(truth, truth, w, h);
    const double shift = worstGridErrorPx(truth, moved, w, h);
    const double turn = worstGridErrorPx(truth, turned, w, h);
    const double flip = worstGridErrorPx(truth, mirrored, w, h);
    const bool ok =
        self < 1e-3 && std::abs(shift - 1.5 * tolerance) < 1e-3 && turn > 1.2 * tolerance && flip > 10 * tolerance;
    if (!ok)
        std::fprintf(stderr, "the judge fails on known answers: self %g, moved %g, turned %g, mirrored %g px\n", self,
                     shift, turn, flip);
    return ok;
}

struct FieldResult {
    Verdict verdict = Verdict::Declined;
    double worstPx = 0;
    double tolerancePx = 0;
    int detected = 0;
    SolveOutcome outcome;
    double seconds = 0;
};

FieldResult runField(const FieldCase& f) {
    const auto t0 = std::chrono::steady_clock::now();
    FieldResult r;
    LuminanceImage image;
    if (f.raw16) {
        FieldSetup raw = deeperCamera(f.setup, 200);
        raw.hotPixels = 30;
        raw.cosmicRays = 15;
        image = renderRawField(raw, f.renderStars);
    } else {
        const DecodedImage picture = renderField(f.setup, f.renderStars);
        image = luminanceImage(picture.width, picture.height, picture.pixels);
    }
    const auto detected = detectStars(image);
    r.detected = static_cast<int>(detected.size());
    r.outcome = solveField(detected, f.setup.width, f.setup.height, f.catalogue, f.hints);
    r.tolerancePx = std::max(2.0, 5.0 / f.setup.arcsecPerPixel);
    if (r.outcome.solved) {
        r.worstPx = worstGridErrorPx(trueSolution(f.setup), r.outcome.solution, f.setup.width, f.setup.height);
        r.verdict = r.worstPx <= r.tolerancePx ? Verdict::Right : Verdict::Wrong;
    }
    r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
    return r;
}

std::string describe(const FieldCase& f, const FieldResult& r) {
    const FieldSetup& s = f.setup;
    char line[1024];
    std::snprintf(
        line, sizeof line,
        "#%d %s%s: centre %.4f %+.4f, %.3f\"/px, %dx%d px, PA %.1f%s, FWHM %.2f, %s, list to %.2f "
        "(catalogue to %.2f, %zu given, %d on image), %d extra, %d detected%s\n"
        "    hint %s: %.4f %+.4f, %.2f fields off, scale x%.3f",
        f.index, f.cluster ? "cluster" : "field", "", s.centreRaDeg, s.centreDecDeg, s.arcsecPerPixel, s.width,
        s.height, s.upPositionAngleDeg, s.mirrored ? " mirrored" : "", s.fwhmPx, f.raw16 ? "16-bit" : "8-bit",
        f.magLimit, f.catalogueLimit, f.catalogue.size(), f.listedOnImage, s.extraStars, r.detected,
        f.cluster ? (" (" + std::to_string(f.clusterStars) + " cluster stars within " +
                     std::to_string(static_cast<int>(f.clusterRadiusPx)) + " px)")
                        .c_str()
                  : "",
        hintName(f.hintKind), f.hints.centreRaDeg, f.hints.centreDecDeg, f.hintOffsetFields, f.hintScaleFactor);
    std::string text = line;
    const SolveOutcome& o = r.outcome;
    if (o.solved) {
        std::snprintf(line, sizeof line,
                      "\n    solved: worst grid error %.2f px (allowed %.2f), log10FalseAlarm %.2f, matches %d, "
                      "runner-up excess %.2f, proof %d/%d, rms %.3f px, scale ratio %.4f, %d searches",
                      r.worstPx, r.tolerancePx, o.log10FalseAlarm, o.matches, o.runnerUpExcess, o.proofMatches,
                      o.proofPredicted, o.rmsPx, o.scaleRatio, o.searches);
        text += line;
    } else {
        text += "\n    declined: " + o.reason + " (" + std::to_string(o.searches) + " searches)";
    }
    return text;
}

int run(int fields, std::uint64_t seed, int only, bool verbose) {
    // counts[cluster][hint kind][verdict]
    int counts[2][3][3] = {};
    std::vector<std::string> wrong;
    std::map<std::string, int> reasons;
    double worstRight = 0;
    int worstRightIndex = -1;
    double slowest = 0;
    int slowestIndex = -1;
    if (!judgeHolds(makeField(only >= 0 ? only : 0, seed).setup)) return 2;
    const auto t0 = std::chrono::steady_clock::now();

    for (int i = 0; i < fields; ++i) {
        if (only >= 0 && i != only) continue;
        const FieldCase f = makeField(i, seed);
        const FieldResult r = runField(f);
        ++counts[f.cluster][static_cast<int>(f.hintKind)][static_cast<int>(r.verdict)];
        if (r.verdict == Verdict::Wrong) wrong.push_back(describe(f, r));
        if (r.verdict == Verdict::Right && r.worstPx > worstRight) {
            worstRight = r.worstPx;
            worstRightIndex = i;
        }
        if (r.verdict == Verdict::Declined) {
            std::string reason = r.outcome.reason;
            ++reasons[reason.substr(0, 70)];
        }
        if (r.seconds > slowest) {
            slowest = r.seconds;
            slowestIndex = i;
        }
        const char* v = r.verdict == Verdict::Right ? "right" : r.verdict == Verdict::Wrong ? "WRONG" : "declined";
        if (verbose || only >= 0)
            std::printf("%s\n    -> %s, %.1f s\n", describe(f, r).c_str(), v, r.seconds);
        else
            std::fprintf(stderr, "\r%d/%d", i + 1, fields);
        std::fflush(stdout);
    }
    if (!verbose && only < 0) std::fprintf(stderr, "\n");
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();

    std::printf("\nsolveField on %d simulated fields, seed %llu\n\n", only >= 0 ? 1 : fields,
                static_cast<unsigned long long>(seed));
    std::printf("%-10s %-13s %7s %9s %7s %7s\n", "fields", "hint", "right", "declined", "WRONG", "total");
    int total[3] = {};
    for (int c = 0; c < 2; ++c)
        for (int k = 0; k < 3; ++k) {
            const int* n = counts[c][k];
            std::printf("%-10s %-13s %7d %9d %7d %7d\n", c ? "cluster" : "ordinary", hintName(static_cast<HintKind>(k)),
                        n[0], n[1], n[2], n[0] + n[1] + n[2]);
            for (int v = 0; v < 3; ++v) total[v] += n[v];
        }
    std::printf("%-10s %-13s %7d %9d %7d %7d\n", "all", "", total[0], total[1], total[2],
                total[0] + total[1] + total[2]);
    auto sumOver = [&](bool goodHint, int verdict) {
        int n = 0;
        for (int c = 0; c < 2; ++c)
            for (int k = 0; k < 3; ++k)
                if ((k == 0) == goodHint) n += counts[c][k][verdict];
        return n;
    };
    std::printf("\ngood hints:  right %d, declined %d, WRONG %d\n", sumOver(true, 0), sumOver(true, 1),
                sumOver(true, 2));
    std::printf("wrong hints: declined %d, right %d, WRONG %d\n", sumOver(false, 1), sumOver(false, 0),
                sumOver(false, 2));
    if (worstRightIndex >= 0)
        std::printf("largest grid error of a right solution: %.2f px (#%d)\n", worstRight, worstRightIndex);
    std::printf("\nreasons for declining:\n");
    for (const auto& [reason, n] : reasons) std::printf("  %4d  %s\n", n, reason.c_str());
    std::printf("\nWRONG solutions: %zu\n", wrong.size());
    for (const auto& w : wrong) std::printf("%s\n", w.c_str());
    std::printf("\nwall time %.1f s (slowest field #%d, %.1f s)\n", seconds, slowestIndex, slowest);
    return wrong.empty() ? 0 : 1;
}

}  // namespace
}  // namespace sextrix

int main(int argc, char** argv) {
    int fields = 200;
    std::uint64_t seed = 2024;
    int only = -1;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--fields" && hasValue) {
            fields = std::atoi(argv[++i]);
        } else if (arg == "--seed" && hasValue) {
            seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--only" && hasValue) {
            only = std::atoi(argv[++i]);
        } else if (arg == "--verbose") {
            verbose = true;
        } else {
            std::fprintf(stderr, "usage: %s [--fields N] [--seed S] [--only I] [--verbose]\n", argv[0]);
            return 2;
        }
    }
    if (fields < 1) {
        std::fprintf(stderr, "--fields must be at least 1\n");
        return 2;
    }
    return sextrix::run(fields, seed, only, verbose);
}
