#include "identify/identification.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <random>

#include "chart/chart_items.h"
#include "chart/solution_chart.h"
#include "identify/star_distance.h"
#include "identify/star_picking.h"

namespace sextrix {
namespace {

// --- The worked example, with no window at all --------------------------------------

// Catalogue stars 1..6: a decoy at (1500, 2500), then the picks of the
// worked example shifted by (1000, 2000).
const std::vector<double> kExampleX{0, 1500, 1100, 1300, 1180, 1400, 1050};
const std::vector<double> kExampleY{0, 2500, 2100, 2120, 2350, 2400, 2300};

struct ExampleRow {
    const char* name;
    FivePicks picks;
    Plate plate;
};

class WorkedExample : public ::testing::TestWithParam<ExampleRow> {};

TEST_P(WorkedExample, OneRowWithItsPlateAndDecider) {
    const ExampleRow& row = GetParam();
    const auto candidates = identifyCandidates({row.picks, kExampleX, kExampleY, 6, 7, deciderWindow(10)});
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_EQ(candidates[0].row, (FigureRow{2, 3, 4, 5, 6}));
    ASSERT_TRUE(candidates[0].plate.has_value());
    const Plate& p = *candidates[0].plate;
    const double got[] = {p.a, p.b, p.c, p.d, p.e, p.f};
    const double want[] = {row.plate.a, row.plate.b, row.plate.c, row.plate.d, row.plate.e, row.plate.f};
    for (int n = 0; n < 6; ++n)
        EXPECT_NEAR(got[n], want[n], 1e-9) << "constant "
                                           << "abcdef"[n];
    // The five picks sit on stars 2..6 exactly; the decoy is far from all.
    EXPECT_EQ(candidates[0].deciderHits, 5);
    EXPECT_FALSE(firstThreeCollinear(row.picks));
}

INSTANTIATE_TEST_SUITE_P(Picks, WorkedExample,
                         ::testing::Values(ExampleRow{"Direct",
                                                      {{{100, 100}, {300, 120}, {180, 350}, {400, 400}, {50, 300}}},
                                                      {1, 0, 1000, 0, 1, 2000}},
                                           // x becomes 500 - x.
                                           ExampleRow{"Mirrored",
                                                      {{{400, 100}, {200, 120}, {320, 350}, {100, 400}, {450, 300}}},
                                                      {-1, 0, 1500, 0, 1, 2000}}),
                         [](const auto& info) { return std::string(info.param.name); });

// Picks 1..3 on a line, the catalogue holding the same figure shifted: the
// row is found, but it has no plate and counts nothing.
TEST(WorkedExample, FirstThreePicksOnALineGiveARowWithoutPlate) {
    const FivePicks picks{{{100, 100}, {300, 120}, {200, 110}, {400, 400}, {50, 300}}};
    std::vector<double> x{0, 1500}, y{0, 2500};
    for (const auto& p : picks) x.push_back(p.x + 1000), y.push_back(p.y + 2000);
    const auto candidates = identifyCandidates({picks, x, y, 6, 7, deciderWindow(10)});
    ASSERT_EQ(candidates.size(), 1u);
    EXPECT_FALSE(candidates[0].plate.has_value());
    EXPECT_EQ(candidates[0].deciderHits, 0);
    EXPECT_TRUE(firstThreeCollinear(picks));
}

// --- The count from positions against the count on the chart's markers --------------

// The marker-based count as the window makes it: star markers placed and
// shown by the chart into `star`, which keeps the corners of the previous
// plate for the stars this one hides; pick markers at pick - 8.
Int16 countOnMarkers(std::vector<OverlayItem>& star, const Plate& plate, const FivePicks& picks,
                     const std::vector<double>& x, const std::vector<double>& y, int n, DeciderWindow window,
                     bool* staleCounts = nullptr) {
    showItems(star, n, placeStars(star, plate, x, y, n, kStarMarkerHalf));
    std::vector<OverlayItem> clicpic(6);
    for (int z = 0; z < 5; ++z) {
        clicpic[z + 1].left = picks[z].x - kClickMarkerHalf;
        clicpic[z + 1].top = picks[z].y - kClickMarkerHalf;
        clicpic[z + 1].visible = true;
    }
    const Int16 hits = countDeciderHits(clicpic, star, n, window);
    if (staleCounts) {
        std::vector<OverlayItem> shown(star.begin(), star.begin() + n + 1);
        for (auto& s : shown) s.visible = true;
        *staleCounts = countDeciderHits(clicpic, shown, n, window) != hits;
    }
    return hits;
}

constexpr double kThresholds[] = {10, 2.5, 3.5, 0.5, 1.5, 7.25, 0, 12.5};

// Ordinary, mirrored, nearly singular and singular plates on the same
// markers, in turn, with catalogue stars put by each plate at the window's
// edge around the picks, and some beyond 16-bit pixels.
TEST(DeciderFromPositions, CountsWhatTheChartsMarkersCount) {
    std::mt19937 random(61);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<OverlayItem> star(kCatalogueCapacity + 1);
    int staleCases = 0, hitCases = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const double threshold = kThresholds[trial % 8];
        const DeciderWindow window = deciderWindow(threshold);
        // Large pictures make single-precision rounding of corners matter.
        const double span = trial % 3 == 0 ? 32000 : 1000;
        const bool whole = trial % 2 == 0;
        FivePicks picks;
        for (auto& p : picks) {
            p = {unit(random) * span, unit(random) * span};
            if (whole) p = {std::round(p.x), std::round(p.y)};
        }
        // A singular plate puts every corner at the origin: a pick near it.
        if (trial % 4 == 0) picks[4] = {4 + unit(random) * 8, 4 + unit(random) * 8};

        const double angle = unit(random) * 6.3, scale = 0.5 + unit(random) * 3;
        const double mirror = trial % 5 == 0 ? -1 : 1;
        const double eps = std::pow(10.0, -3 - static_cast<int>(unit(random) * 10));
        const Plate plates[] = {
            {scale * std::cos(angle), -scale * std::sin(angle) * mirror, 50000, scale * std::sin(angle),
             scale * std::cos(angle) * mirror, -20000},
            {1, 1, 3000, 1, 1 + eps, -500},  // det = -eps
            {1, 2, 0, 2, 4, 0},              // det = 0
        };

        // Centre differences pick - star at the window's open bounds,
        // nudged either way, and well inside.
        const double edges[] = {window.hi + 4.0, window.lo + 4.0};
        const double nudges[] = {0, 1e-9, -1e-9, 1e-4, -1e-4, 0.3, -0.3};
        std::vector<double> x{0}, y{0};
        for (const Plate& plate : plates) {
            for (int s = 0; s < 15; ++s) {
                const PickedStar& p = picks[s % 5];
                const double dx = edges[s % 2] + nudges[static_cast<int>(unit(random) * 7)];
                const double dy = s % 3 == 0 ? 0 : edges[(s + 1) % 2] + nudges[static_cast<int>(unit(random) * 7)];
                const ScaledPoint sky = pixelToSky(plate, p.x - dx, p.y - dy);
                x.push_back(sky.x);
                y.push_back(sky.y);
            }
        }
        for (int s = 0; s < 10; ++s) {
            const double far = s % 2 ? 40000 : unit(random) * span;  // beyond 16 bits or anywhere
            const ScaledPoint sky = pixelToSky(plates[0], far, unit(random) * span);
            x.push_back(sky.x);
            y.push_back(sky.y);
        }
        const int n = static_cast<int>(x.size()) - 1;

        for (const Plate& plate : plates) {
            bool stale = false;
            const Int16 expected = countOnMarkers(star, plate, picks, x, y, n, window, &stale);
            ASSERT_EQ(deciderHitsAt(plate, picks, x, y, n, window), expected)
                << "trial " << trial << " threshold " << threshold << " plate det " << plateDet(plate);
            staleCases += stale;
            hitCases += expected > 0;
        }
    }
    // The field must have exercised both stale hidden markers and hits.
    EXPECT_GT(staleCases, 20);
    EXPECT_GT(hitCases, 300);
}

// Random fields holding noisy copies of the picked figure: the candidates
// are the search's rows in its order, and each count is the markers' count
// under the candidate's plate. Picks 1..3 nearly on a line in some fields
// give nearly singular plates that throw stars off the chart.
TEST(IdentifyCandidates, FollowTheSearchAndCountLikeTheChart) {
    std::mt19937 random(2718);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<OverlayItem> star(kCatalogueCapacity + 1);
    auto ws = std::make_unique<WorkingState>();
    int candidatesSeen = 0, offered = 0;
    for (int field = 0; field < 60; ++field) {
        FivePicks picks;
        for (auto& p : picks) p = {20 + unit(random) * 900, 20 + unit(random) * 700};
        if (field % 2)
            for (auto& p : picks) p = {std::round(p.x), std::round(p.y)};
        if (field % 3 == 0)
            picks[2] = {(picks[0].x + picks[1].x) / 2, (picks[0].y + picks[1].y) / 2 + unit(random) * 0.01};

        std::vector<double> x{0}, y{0};
        auto add = [&](double sx, double sy) { x.push_back(std::round(sx)), y.push_back(std::round(sy)); };
        for (int s = 0; s < 40; ++s) add(unit(random) * 3000, unit(random) * 3000);
        for (int copy = 0; copy < 2; ++copy) {
            const double c = std::cos(unit(random) * 6.3), s = std::sqrt(1 - c * c), mirror = copy ? -1 : 1;
            for (const auto& p : picks)
                add(c * p.x - s * p.y * mirror + 1500 + unit(random) * 3,
                    s * p.x + c * p.y * mirror + 1500 + unit(random) * 3);
        }
        const int n = static_cast<int>(x.size()) - 1;
        const double tolerance = field % 2 ? 7 : 3.5;
        const DeciderWindow window = deciderWindow(kThresholds[field % 8]);

        const auto candidates = identifyCandidates({picks, x, y, n, tolerance, window});

        for (int k = 0; k < 5; ++k) ws->pickX[k + 1] = picks[k].x, ws->pickY[k + 1] = picks[k].y;
        std::copy(x.begin(), x.end(), ws->catX.begin());
        std::copy(y.begin(), y.end(), ws->catY.begin());
        fillPickDistances(*ws);
        fillCatalogueDistances(*ws, n);
        const auto rows = findFigures({ws->pickDist, ws->catDist, ws->catX, ws->catY, n, tolerance});
        ASSERT_EQ(candidates.size(), rows.size()) << "field " << field;
        for (std::size_t c = 0; c < rows.size(); ++c) {
            ASSERT_EQ(candidates[c].row, rows[c]) << "field " << field << " candidate " << c;
            ASSERT_TRUE(candidates[c].plate.has_value());
            EXPECT_EQ(candidates[c].deciderHits, countOnMarkers(star, *candidates[c].plate, picks, x, y, n, window))
                << "field " << field << " candidate " << c;
            offered += candidates[c].deciderHits > 3;
        }
        candidatesSeen += static_cast<int>(rows.size());
    }
    EXPECT_GT(candidatesSeen, 60);
    EXPECT_GT(offered, 10);
}

TEST(IdentifyCandidates, RefusesMoreStarsThanItTakes) {
    const std::vector<double> x(kIdentifyCapacity + 2), y(kIdentifyCapacity + 2);
    const FivePicks picks{{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {2, 2}}};
    EXPECT_THROW(identifyCandidates({picks, x, y, kIdentifyCapacity + 1, 7, {}}), std::invalid_argument);
    const std::vector<double> few(10);
    EXPECT_THROW(identifyCandidates({picks, few, few, 20, 7, {}}), std::invalid_argument);
}

}  // namespace
}  // namespace sextrix
