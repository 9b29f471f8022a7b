#include "identify/star_grid.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

#include "identify/star_distance.h"

namespace sextrix {
namespace {

// Every star whose distance from the centre star lies in [rMin, rMax] must
// be visited, and no star twice; the grid may visit more.
struct GridCase {
    const char* name;
    int stars;
    double span;
    double offset;
    double step;  // > 0: lattice positions
    int queries;
};

class RingQuery : public ::testing::TestWithParam<GridCase> {};

TEST_P(RingQuery, VisitsEveryStarInTheRingOnce) {
    const GridCase& c = GetParam();
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<double> x(c.stars + 1), y(c.stars + 1);
    auto place = [&] {
        const double v = unit(rng) * c.span;
        return (c.step > 0 ? std::round(v / c.step) * c.step : v) + c.offset;
    };
    for (int i = 1; i <= c.stars; ++i) x[i] = place(), y[i] = place();
    const StarGrid grid(x, y, c.stars);

    int missed = 0, repeated = 0;
    long visits = 0;
    for (int q = 0; q < c.queries; ++q) {
        const int centre = 1 + q % c.stars;
        // Put another star exactly on the inner or the outer radius.
        const int other = 1 + static_cast<int>(unit(rng) * c.stars) % c.stars;
        const double onRadius = starDistance(x[centre], y[centre], x[other], y[other]);
        const double width = unit(rng) * c.span / 20;
        const double rMin = q % 2 == 0 ? onRadius : std::max(onRadius - width, 0.0);
        const double rMax = q % 2 == 0 ? onRadius + width : onRadius;
        std::vector<int> seen(c.stars + 1, 0);
        grid.forEachInRing(grid.ring(rMin, rMax), centre, [&](int v) { ++seen[v], ++visits; });
        for (int v = 1; v <= c.stars; ++v) {
            const double d = starDistance(x[centre], y[centre], x[v], y[v]);
            if (d >= rMin && d <= rMax && seen[v] == 0) ++missed;
            if (seen[v] > 1) ++repeated;
        }
    }
    EXPECT_EQ(missed, 0);
    EXPECT_EQ(repeated, 0);
    // Narrow rings over a wide field: the grid must leave most stars out.
    EXPECT_LT(visits, static_cast<long>(c.queries) * c.stars / 2);
}

// Every pair of stars in each other's ring, met exactly once.
TEST_P(RingQuery, MeetsEveryPairInTheRingOnce) {
    const GridCase& c = GetParam();
    std::mt19937 rng(11);
    std::uniform_real_distribution<double> unit(0, 1);
    const int n = std::min(c.stars, 200);
    std::vector<double> x(n + 1), y(n + 1);
    for (int i = 1; i <= n; ++i) {
        x[i] = unit(rng) * c.span + c.offset, y[i] = unit(rng) * c.span + c.offset;
        if (c.step > 0) x[i] = std::round(x[i] / c.step) * c.step, y[i] = std::round(y[i] / c.step) * c.step;
    }
    const StarGrid grid(x, y, n);
    for (int q = 0; q < 20; ++q) {
        const double rMin = unit(rng) * c.span / 2, rMax = rMin + unit(rng) * c.span / 10;
        std::vector<int> met(static_cast<std::size_t>(n + 1) * (n + 1), 0);
        grid.forEachPairInRing(grid.ring(rMin, rMax),
                               [&](int a, int b) { ++met[std::min(a, b) * (n + 1) + std::max(a, b)]; });
        int missed = 0, repeated = 0;
        for (int a = 1; a <= n; ++a)
            for (int b = a + 1; b <= n; ++b) {
                const double d = starDistance(x[a], y[a], x[b], y[b]);
                const int times = met[a * (n + 1) + b];
                if (d >= rMin && d <= rMax && times == 0) ++missed;
                if (times > 1) ++repeated;
            }
        EXPECT_EQ(missed, 0) << "ring " << rMin << " .. " << rMax;
        EXPECT_EQ(repeated, 0) << "ring " << rMin << " .. " << rMax;
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, RingQuery,
                         ::testing::Values(GridCase{"Random", 400, 2000, 0, 0, 3000},
                                           GridCase{"LatticeOnTheRadii", 400, 1000, 0, 10, 3000},
                                           GridCase{"FarFromOrigin", 300, 1500, -930000, 1, 2000},
                                           GridCase{"Crowded", 497, 100, 0, 0, 2000}),
                         [](const auto& info) { return std::string(info.param.name); });

// 200 stars over 1000 x 1000 make cells of 100 (two stars a cell). Star 1
// sits on the near corner of its cell and star 2 near the far corner of the
// next cell diagonally, as far apart as two stars of those cells can be: the
// ring through star 2 must still reach that cell.
TEST(StarGrid, ReachesTheFarCornerOfARingCell) {
    std::vector<double> x(201, 1000), y(201, 1000);
    x[1] = y[1] = 0;
    x[2] = y[2] = 199.5;
    const StarGrid grid(x, y, 200);
    const double d = starDistance(0, 0, 199.5, 199.5);
    for (auto [rMin, rMax] : {std::pair{d, d + 1}, {d - 1, d}}) {
        std::vector<int> seen;
        grid.forEachInRing(grid.ring(rMin, rMax), 1, [&](int v) { seen.push_back(v); });
        EXPECT_EQ(seen, std::vector<int>{2}) << "ring " << rMin << " .. " << rMax;
    }
}

TEST(StarGrid, NonFinitePositionsVisitEveryStar) {
    const std::vector<double> x{0, 1, INFINITY, 3}, y{0, 1, 2, NAN};
    const StarGrid grid(x, y, 3);
    std::vector<int> seen;
    grid.forEachInRing(grid.ring(0, 0.5), 1, [&](int v) { seen.push_back(v); });
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3}));
}

}  // namespace
}  // namespace sextrix
