// blind_sim_fields: solving with no hint on simulated fields, judged against
// their true solutions.
//
// The sky is drawn once: stars over the whole sphere as many as Tycho-2's
// (2.5 million, to magnitude 12, counts growing by 10^0.4 a magnitude),
// written as a local catalogue and indexed for 1000 x 800 frames at the
// scales asked (index build time, size and quads printed). Each field is
// 1000 x 800 pixels at a random place, scale, turn, one in ten mirrored;
// two thirds see the catalogue's stars, one third a sky of its own that
// shares none of them (a field the index cannot know). The image's stars are
// those of its sky to magnitude 12 with 0.3 px of scatter, and a fifth more
// that no catalogue holds, brightest first. A solution is right when its
// centre lies within 5" of the truth and its scale within 0.5 %, WRONG
// otherwise; the exit status is 1 when there is a wrong one.
//
// With --cap R the sky is a cap of R degrees about the north pole, as deep
// as --faintest (12), and the fields lie within it: a catalogue deep enough
// for fields of 1"/px without writing hundreds of millions of stars.
//
//   blind_sim_fields [--fields N] [--stars N] [--scale-range LO HI] [--seed S] [--cap R] [--faintest M]
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "blind/blind_solve.h"
#include "fieldsim/seeded_random.h"
#include "fieldsim/sky_projection.h"
#include "localcat/catalogue_writer.h"

namespace sextrix {
namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// The sky drawn: the whole sphere, or a cap about the north pole.
struct Sky {
    double capDeg = 180;
    double faintest = 12;
    // Its area over the whole sphere's.
    double fraction() const { return (1 - std::cos(capDeg * M_PI / 180)) / 2; }
    // A declination uniform on the sky within `withinDeg` of the pole.
    double randomDecDeg(fieldsim::SeededRandom& random, double withinDeg) const {
        return std::asin(1 - random.uniform() * (1 - std::cos(withinDeg * M_PI / 180))) * 180 / M_PI;
    }
};

LocalStar randomStar(fieldsim::SeededRandom& random, std::int64_t id, const Sky& sky) {
    LocalStar s;
    s.id = id;
    s.raDeg = 360 * random.uniform();
    s.decDeg = sky.randomDecDeg(random, sky.capDeg);
    s.magR = sky.faintest + std::log10(std::max(random.uniform(), 1e-12)) / 0.4;
    return s;
}

// The stars of a sky near a field, found by brute force over a small sky or
// drawn afresh for a field that shares nothing with the catalogue.
std::vector<DetectedStar> imageOf(const std::vector<LocalStar>& sky, const fieldsim::FieldSetup& setup, double faintest,
                                  fieldsim::SeededRandom& random) {
    std::vector<std::pair<double, DetectedStar>> seen;
    const auto add = [&](double mag, double x, double y) {
        DetectedStar d;
        d.x = x + 0.3 * random.normal(), d.y = y + 0.3 * random.normal();
        d.flux = std::pow(10, -0.4 * (mag - 20)), d.fwhm = 2.8, d.peak = d.flux / 12, d.pixelCount = 12;
        seen.push_back({mag, d});
    };
    for (const LocalStar& s : sky)
        if (const auto at = fieldsim::skyToImage(setup, s.raDeg, s.decDeg);
            at && at->x >= 2 && at->y >= 2 && at->x < setup.width - 3 && at->y < setup.height - 3)
            add(*s.magR, at->x, at->y);
    const std::size_t extra = seen.size() / 5;
    for (std::size_t k = 0; k < extra; ++k)
        add(faintest - 2 + 2 * random.uniform(), 2 + (setup.width - 5) * random.uniform(),
            2 + (setup.height - 5) * random.uniform());
    std::sort(seen.begin(), seen.end(), [](auto& a, auto& b) { return a.first < b.first; });
    std::vector<DetectedStar> detected;
    for (const auto& s : seen) detected.push_back(s.second);
    return detected;
}

}  // namespace
}  // namespace sextrix

int main(int argc, char** argv) {
    using namespace sextrix;
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    int fields = 200;
    long starCount = 2500000;
    double low = 2, high = 10;
    unsigned long long seed = 1;
    Sky drawn;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--fields" && i + 1 < argc) fields = std::atoi(argv[++i]);
        if (option == "--stars" && i + 1 < argc) starCount = std::atol(argv[++i]);
        if (option == "--seed" && i + 1 < argc) seed = std::strtoull(argv[++i], nullptr, 10);
        if (option == "--scale-range" && i + 2 < argc) low = std::atof(argv[++i]), high = std::atof(argv[++i]);
        if (option == "--cap" && i + 1 < argc) drawn.capDeg = std::atof(argv[++i]);
        if (option == "--faintest" && i + 1 < argc) drawn.faintest = std::atof(argv[++i]);
    }
    // One folder a run: two runs at once must not write over each other's sky.
    const std::string folder =
        (std::filesystem::temp_directory_path() / ("sextrix-blind-sim-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(folder);
    const std::string catalogue = folder + "/sky.vsx";
    fieldsim::SeededRandom random(seed);
    std::vector<LocalStar> sky;
    sky.reserve(static_cast<std::size_t>(starCount));
    {
        LocalCatalogueWriter writer(catalogue);
        for (long k = 0; k < starCount; ++k) {
            sky.push_back(randomStar(random, k + 1, drawn));
            writer.add(sky.back());
        }
        writer.finish(LocalSource::Ucac4);
    }
    auto start = Clock::now();
    const double minQuad = 0.2 * 800 * low / 3600, maxQuad = 0.8 * 1000 * high / 3600;
    {
        const LocalCatalogue opened = std::move(LocalCatalogue::open(catalogue).value());
        BlindIndex::build(opened, indexBands(minQuad, maxQuad)).save(blindIndexPathOf(catalogue));
    }
    char where[64] = "over the whole sky";
    if (drawn.capDeg < 180) std::snprintf(where, sizeof where, "within %g degrees of the pole", drawn.capDeg);
    std::printf(
        "sky: %ld stars to magnitude %g %s; index for 1000 x 800 at %g-%g\"/px: quads %.3f-%.3f deg, built in "
        "%.1f s, %.1f MB\n",
        starCount, drawn.faintest, where, low, high, minQuad, maxQuad, seconds(start),
        std::filesystem::file_size(blindIndexPathOf(catalogue)) / 1e6);
    start = Clock::now();
    const BlindSolver solver(catalogue, blindIndexPathOf(catalogue), {low, high}, drawn.faintest + 0.5);
    std::printf("index read in %.2f s\n\n", seconds(start));

    int right[2] = {0, 0}, wrong[2] = {0, 0}, declined[2] = {0, 0};
    double slowest[2] = {0, 0}, total[2] = {0, 0};
    std::vector<double> times;
    for (int f = 0; f < fields; ++f) {
        fieldsim::FieldSetup setup;
        setup.width = 1000, setup.height = 800;
        setup.arcsecPerPixel = low * std::pow(high / low, random.uniform());
        const double halfDiagonalDeg = std::hypot(1000, 800) / 2 * setup.arcsecPerPixel / 3600;
        setup.centreRaDeg = 360 * random.uniform();
        setup.centreDecDeg = drawn.randomDecDeg(random, std::max(0.0, drawn.capDeg - halfDiagonalDeg));
        setup.upPositionAngleDeg = 360 * random.uniform() - 180;
        setup.mirrored = random.uniform() < 0.1;
        const bool known = f % 3 != 2;
        // A foreign sky: as dense, drawn about this field only.
        std::vector<LocalStar> foreign;
        if (!known) {
            const double areaFraction = 4 *
                                        std::pow(std::hypot(1000, 800) * setup.arcsecPerPixel / 3600 * M_PI / 180, 2) /
                                        (4 * M_PI) / drawn.fraction();
            for (long k = 0; k < static_cast<long>(starCount * areaFraction * 4) + 1; ++k) {
                LocalStar s = randomStar(random, k, drawn);
                const auto at = fieldsim::imageToSky(setup, 1000 * random.uniform(), 800 * random.uniform());
                s.raDeg = at.raDeg, s.decDeg = at.decDeg;
                foreign.push_back(s);
            }
            foreign.resize(foreign.size() / 4);
        }
        const std::vector<DetectedStar> detected = imageOf(known ? sky : foreign, setup, drawn.faintest, random);
        const auto t0 = Clock::now();
        const BlindSolve result = solver.solve(detected, 1000, 800);
        const double took = seconds(t0);
        times.push_back(took);
        total[known] += took;
        slowest[known] = std::max(slowest[known], took);
        if (!result.outcome.solved) {
            ++declined[known];
            continue;
        }
        const TanSolution& s = result.outcome.solution;
        const auto centre = tanPixelToSky(s, 499.5, 399.5);
        const auto truth = fieldsim::imageToSky(setup, 499.5, 399.5);
        const double off = 3600 * std::hypot((centre.raDeg - truth.raDeg) * std::cos(truth.decDeg * M_PI / 180),
                                             centre.decDeg - truth.decDeg);
        const bool ok = known && off < 5 && std::abs(tanScaleArcsecPerPixel(s) / setup.arcsecPerPixel - 1) < 0.005;
        ++(ok ? right : wrong)[known];
        if (!ok)
            std::printf("WRONG field %d: %.4f %+.4f %.2f\"/px %s, off %.1f\"\n", f, setup.centreRaDeg,
                        setup.centreDecDeg, setup.arcsecPerPixel, known ? "known" : "foreign", off);
    }
    std::sort(times.begin(), times.end());
    std::printf("fields                 right  WRONG  declined  mean s  slowest s\n");
    for (int known : {1, 0})
        std::printf("%-22s %5d  %5d  %8d  %6.2f  %9.2f\n", known ? "in the catalogue" : "no star in common",
                    right[known], wrong[known], declined[known],
                    total[known] / std::max(1, right[known] + wrong[known] + declined[known]), slowest[known]);
    std::printf("median time %.2f s, 95th percentile %.2f s\n", times[times.size() / 2],
                times[times.size() * 95 / 100]);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("peak resident %.0f MB\n", usage.ru_maxrss / 1024.0);
    std::filesystem::remove_all(folder);
    return wrong[0] + wrong[1] > 0 ? 1 : 0;
}
