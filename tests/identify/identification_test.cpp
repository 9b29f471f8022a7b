#include "identify/identification.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <random>
#include <vector>

#include "chart/chart_items.h"
#include "chart/solution_chart.h"
#include "identify/figure_search.h"
#include "identify/star_distance.h"
#include "identify/star_picking.h"
#include "state/reduction_values.h"

namespace sextrix {
namespace {

// The worked example with no window: catalogue stars 1..6 are a decoy at
// (1500, 2500), then `sky` shifted by (1000, 2000).
TEST(WorkedExample, RowPlateAndDeciderWithoutAWindow) {
    const FivePicks direct{{{100, 100}, {300, 120}, {180, 350}, {400, 400}, {50, 300}}};
    const FivePicks mirrored{{{400, 100}, {200, 120}, {320, 350}, {100, 400}, {450, 300}}};  // x -> 500 - x
    const FivePicks onALine{{{100, 100}, {300, 120}, {200, 110}, {400, 400}, {50, 300}}};
    struct Row {
        FivePicks picks, sky;
        std::optional<Plate> plate;
        int hits;  // a row without a plate counts nothing
    };
    const Row rows[] = {{direct, direct, Plate{1, 0, 1000, 0, 1, 2000}, 5},
                        {mirrored, direct, Plate{-1, 0, 1500, 0, 1, 2000}, 5},
                        {onALine, onALine, std::nullopt, 0}};
    for (const Row& row : rows) {
        std::vector<double> x{0, 1500}, y{0, 2500};
        for (const auto& p : row.sky) x.push_back(p.x + 1000), y.push_back(p.y + 2000);
        const auto found = identifyCandidates({row.picks, x, y, 6, 7, deciderWindow(10)});
        SCOPED_TRACE(testing::Message() << "row " << &row - rows);
        ASSERT_EQ(found.size(), 1u);
        EXPECT_EQ(found[0].row, (FigureRow{2, 3, 4, 5, 6}));
        ASSERT_EQ(found[0].plate.has_value(), row.plate.has_value());
        if (row.plate)
            for (auto m : {&Plate::a, &Plate::b, &Plate::c, &Plate::d, &Plate::e, &Plate::f})
                EXPECT_NEAR((*found[0].plate).*m, (*row.plate).*m, 1e-9);
        EXPECT_EQ(found[0].deciderHits, row.hits);
    }
}

// The count as the window makes it on the chart's markers: star markers
// placed and shown into `star` (hidden ones keep the previous plate's
// corners), pick markers at pick - 8.
Int16 countOnMarkers(std::vector<OverlayItem>& star, const Plate& plate, const FivePicks& picks,
                     const std::vector<double>& x, const std::vector<double>& y, int n, DeciderWindow window) {
    showItems(star, n, placeStars(star, plate, x, y, n, kStarMarkerHalf));
    std::vector<OverlayItem> clicpic(6);
    for (int z = 0; z < 5; ++z)
        clicpic[z + 1] = {.left = picks[z].x - kClickMarkerHalf, .top = picks[z].y - kClickMarkerHalf, .visible = true};
    return countDeciderHits(clicpic, star, n, window);
}

constexpr double kThresholds[] = {10, 2.5, 3.5, 0.5, 1.5, 7.25, 0, 12.5};

// Ordinary, mirrored, nearly singular and singular plates in turn on the
// same markers; catalogue stars put at the window's open bounds around the
// picks (nudged either way), and some beyond 16-bit pixels.
TEST(DeciderFromPositions, CountsWhatTheChartsMarkersCount) {
    std::mt19937 random(61);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<OverlayItem> star(kCatalogueCapacity + 1);
    int hitCases = 0;
    for (int trial = 0; trial < 300; ++trial) {
        const DeciderWindow window = deciderWindow(kThresholds[trial % 8]);
        const double span = trial % 3 == 0 ? 32000 : 1000;  // single-precision corners matter
        FivePicks picks;
        for (auto& p : picks) {
            p = {unit(random) * span, unit(random) * span};
            if (trial % 2 == 0) p = {std::round(p.x), std::round(p.y)};
        }
        if (trial % 4 == 0) picks[4] = {4 + unit(random) * 8, 4 + unit(random) * 8};  // singular: corners at 0
        const double angle = unit(random) * 6.3, scale = 0.5 + unit(random) * 3, mirror = trial % 5 == 0 ? -1 : 1;
        const double eps = std::pow(10.0, -3 - static_cast<int>(unit(random) * 10));
        const Plate plates[] = {{scale * std::cos(angle), -scale * std::sin(angle) * mirror, 50000,
                                 scale * std::sin(angle), scale * std::cos(angle) * mirror, -20000},
                                {1, 1, 3000, 1, 1 + eps, -500},
                                {1, 2, 0, 2, 4, 0}};
        const double edges[] = {window.hi + 4.0, window.lo + 4.0};
        const double nudges[] = {0, 1e-9, -1e-9, 1e-4, -1e-4, 0.3, -0.3};
        auto nudge = [&] { return nudges[static_cast<int>(unit(random) * 7)]; };
        std::vector<double> x{0}, y{0};
        auto add = [&](ScaledPoint s) { x.push_back(s.x), y.push_back(s.y); };
        for (const Plate& plate : plates)
            for (int s = 0; s < 15; ++s) {
                const double dx = edges[s % 2] + nudge(), dy = s % 3 == 0 ? 0 : edges[(s + 1) % 2] + nudge();
                add(pixelToSky(plate, picks[s % 5].x - dx, picks[s % 5].y - dy));
            }
        for (int s = 0; s < 10; ++s)
            add(pixelToSky(plates[0], s % 2 ? 40000 : unit(random) * span, unit(random) * span));
        const int n = static_cast<int>(x.size()) - 1;

        for (const Plate& plate : plates) {
            const Int16 expected = countOnMarkers(star, plate, picks, x, y, n, window);
            ASSERT_EQ(deciderHitsAt(plate, picks, x, y, n, window), expected)
                << "trial " << trial << " plate det " << plateDet(plate);
            hitCases += expected > 0;
        }
    }
    EXPECT_GT(hitCases, 300);
}

// Noisy copies of the picked figure, one mirrored (picks 1..3 nearly on a
// line in some fields): the candidates are the search's rows in order, each
// counted under its own plate.
TEST(IdentifyCandidates, FollowTheSearchAndCountUnderTheirPlate) {
    std::mt19937 random(2718);
    std::uniform_real_distribution<double> unit(0, 1);
    std::array<double, 11> pickX{}, pickY{};
    std::vector<double> catX(kCatalogueCapacity + 1), catY(kCatalogueCapacity + 1);
    SquareTable pickDist{9}, catDist{kCatDistSize};
    int offered = 0;
    for (int field = 0; field < 60; ++field) {
        FivePicks picks;
        for (auto& p : picks) p = {std::round(20 + unit(random) * 900), 20 + unit(random) * 700};
        if (field % 3 == 0)
            picks[2] = {(picks[0].x + picks[1].x) / 2, (picks[0].y + picks[1].y) / 2 + unit(random) * 0.01};
        std::vector<double> x{0}, y{0};
        auto add = [&](double sx, double sy) { x.push_back(std::round(sx)), y.push_back(std::round(sy)); };
        for (int s = 0; s < 40; ++s) add(unit(random) * 3000, unit(random) * 3000);
        for (double mirror : {1.0, -1.0}) {
            const double c = std::cos(unit(random) * 6.3), s = std::sqrt(1 - c * c);
            for (const auto& p : picks)
                add(c * p.x - s * p.y * mirror + 1500 + unit(random) * 3,
                    s * p.x + c * p.y * mirror + 1500 + unit(random) * 3);
        }
        const int n = static_cast<int>(x.size()) - 1;
        const double tolerance = field % 2 ? 7 : 3.5;
        const DeciderWindow window = deciderWindow(kThresholds[field % 8]);
        const auto candidates = identifyCandidates({picks, x, y, n, tolerance, window});

        for (int k = 0; k < 5; ++k) pickX[k + 1] = picks[k].x, pickY[k + 1] = picks[k].y;
        std::copy(x.begin(), x.end(), catX.begin());
        std::copy(y.begin(), y.end(), catY.begin());
        fillDistances(pickDist, pickX, pickY, pickDist.size());
        fillDistances(catDist, catX, catY, n);
        const auto rows = findFigures({pickDist, catDist, catX, catY, n, tolerance});
        ASSERT_EQ(candidates.size(), rows.size()) << "field " << field;
        for (std::size_t c = 0; c < rows.size(); ++c) {
            ASSERT_EQ(candidates[c].row, rows[c]) << "field " << field;
            ASSERT_TRUE(candidates[c].plate.has_value());
            EXPECT_EQ(candidates[c].deciderHits, deciderHitsAt(*candidates[c].plate, picks, x, y, n, window));
            offered += candidates[c].deciderHits > 3;
        }
    }
    EXPECT_GT(offered, 10);
}

TEST(IdentifyCandidates, RefusesMoreStarsThanItTakes) {
    const std::vector<double> x(kIdentifyCapacity + 2), few(10);
    const FivePicks picks{{{0, 0}, {1, 0}, {0, 1}, {1, 1}, {2, 2}}};
    EXPECT_THROW(identifyCandidates({picks, x, x, kIdentifyCapacity + 1, 7, {}}), std::invalid_argument);
    EXPECT_THROW(identifyCandidates({picks, few, few, 20, 7, {}}), std::invalid_argument);
}

}  // namespace
}  // namespace sextrix
