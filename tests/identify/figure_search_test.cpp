#include "identify/figure_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <random>
#include <stdexcept>
#include <vector>

#include "identify/star_distance.h"
#include "state/reduction_values.h"
#include "support/plain_figure_search.h"

namespace sextrix {
namespace {

using Rows = std::vector<FigureRow>;

// Catalogue stars and picks in tables of the program's sizes, searched both ways.
struct Field {
    std::array<double, 11> pickX{}, pickY{};
    std::vector<double> catX = std::vector<double>(kCatalogueCapacity + 1);
    std::vector<double> catY = std::vector<double>(kCatalogueCapacity + 1);
    SquareTable pickDist{9};
    SquareTable catDist{kCatDistSize};
    int count = 0;

    void star(double x, double y) {
        ++count;
        catX[count] = x;
        catY[count] = y;
    }
    void pick(int k, double x, double y) {
        pickX[k] = x;
        pickY[k] = y;
    }
    void fillTables() {
        fillDistances(pickDist, pickX, pickY, pickDist.size());
        fillDistances(catDist, catX, catY, count);
    }
    Rows fast(double tolerance) {
        fillTables();
        return findFigures({pickDist, catDist, catX, catY, count, tolerance});
    }
    Rows plain(double tolerance) {
        fillTables();
        return testing::plainFigureSearch(pickDist, catDist, count, tolerance);
    }
};

// Picks 1..5 and catalogue stars 1..6 where stars 2..6 are the picks
// shifted by (1000, 2000) and star 1 is a decoy; mirrored, the picks' x
// becomes 500 - x.
Field shiftedFigure(bool mirrored) {
    Field f;
    const double picks[5][2] = {{100, 100}, {300, 120}, {180, 350}, {400, 400}, {50, 300}};
    for (int k = 0; k < 5; ++k) f.pick(k + 1, mirrored ? 500 - picks[k][0] : picks[k][0], picks[k][1]);
    for (auto [x, y] : {std::pair{1500, 2500}, {1100, 2100}, {1300, 2120}, {1180, 2350}, {1400, 2400}, {1050, 2300}})
        f.star(x, y);
    return f;
}

TEST(FigureSearch, ShiftedFigureGivesOneRowDirectOrMirrored) {
    for (bool mirrored : {false, true}) {
        SCOPED_TRACE(mirrored ? "mirrored picks" : "direct picks");
        Field f = shiftedFigure(mirrored);
        EXPECT_EQ(f.fast(7), (Rows{{2, 3, 4, 5, 6}}));
        EXPECT_EQ(f.plain(7), (Rows{{2, 3, 4, 5, 6}}));
    }
}

// Two catalogue stars d apart against picks where star 2 is 100 pixels from
// the other four, which coincide: every side is 0 or 100, so the figure
// matches exactly when |d - 100| < tolerance, as rows (1,2,1,1,1) and (2,1,2,2,2).
struct BoundRow {
    const char* name;
    double catalogueSide;
    double tolerance;
    bool matches;
};

class SideBounds : public ::testing::TestWithParam<BoundRow> {};

TEST_P(SideBounds, StrictOnBothSides) {
    const BoundRow& row = GetParam();
    EXPECT_EQ(sideMatches(row.catalogueSide, 100, row.tolerance), row.matches);
    Field f;
    for (int k = 1; k <= 5; ++k) f.pick(k, k == 2 ? 100 : 0, 0);
    f.star(0, 0);
    f.star(row.catalogueSide, 0);
    const Rows expected = row.matches ? Rows{{1, 2, 1, 1, 1}, {2, 1, 2, 2, 2}} : Rows{};
    EXPECT_EQ(f.fast(row.tolerance), expected);
    EXPECT_EQ(f.plain(row.tolerance), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Tolerance7, SideBounds,
    ::testing::Values(BoundRow{"ShortInside", 93.5, 7, true}, BoundRow{"LongInside", 106.9, 7, true},
                      BoundRow{"ShortOnBound", 93, 7, false}, BoundRow{"LongOnBound", 107, 7, false},
                      BoundRow{"ExactWithZeroTolerance", 100, 0, false}, BoundRow{"NegativeTolerance", 100, -7, false},
                      BoundRow{"NaNTolerance", 100, NAN, false}),
    [](const auto& info) { return std::string(info.param.name); });

// n catalogue stars and five picks all on one point: every (i, j, k, l, m)
// matches, n^4 rows per first star, in base-n counting order.
struct CapRow {
    const char* name;
    int stars;
    std::size_t rows;
    FigureRow last;
};

class Caps : public ::testing::TestWithParam<CapRow> {};

TEST_P(Caps, StopBeforeNewFirstStarPast300AndAt800) {
    const CapRow& row = GetParam();
    Field f;
    for (int i = 0; i < row.stars; ++i) f.star(5, 5);
    for (int k = 1; k <= 5; ++k) f.pick(k, 9, 9);
    const Rows rows = f.fast(1);
    ASSERT_EQ(rows.size(), row.rows);
    EXPECT_EQ(rows.back(), row.last);
    EXPECT_EQ(rows, f.plain(1));
}

INSTANTIATE_TEST_SUITE_P(
    CoincidentStars, Caps,
    ::testing::Values(CapRow{"ThreeStarsAllSearched", 3, 243, {3, 3, 3, 3, 3}},     // 81 per first star
                      CapRow{"FourStarsStopAfterSecond", 4, 512, {2, 4, 4, 4, 4}},  // 256, then 512 > 300
                      CapRow{"FiveStarsStopAfterFirst", 5, 625, {1, 5, 5, 5, 5}},
                      CapRow{"SixStarsCutAt800", 6, 800, {1, 4, 5, 2, 2}}),  // 799 = 3*216 + 4*36 + 1*6 + 1
    [](const auto& info) { return std::string(info.param.name); });

// Random catalogues with a picked figure copied from five of their stars
// under a rotation, a mirror and a shift, compared with the plain loop.
struct FieldKind {
    const char* name;
    int stars;
    double span;
    double offset;  // added to every catalogue coordinate
    double tolerance;
    double grid;     // > 0: positions and picks on a lattice of this step, quarter turns only
    int duplicates;  // stars that repeat an earlier star's position
    int seeds;
};

class AgainstPlainLoop : public ::testing::TestWithParam<FieldKind> {};

TEST_P(AgainstPlainLoop, SameRowsInSameOrder) {
    const FieldKind& kind = GetParam();
    for (int seed = 1; seed <= kind.seeds; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        std::mt19937 rng(seed);
        std::uniform_real_distribution<double> unit(0, 1);
        Field f;
        for (int i = 0; i < kind.stars; ++i) {
            if (i >= kind.stars - kind.duplicates) {
                const int earlier = 1 + static_cast<int>(unit(rng) * (f.count - 1));
                f.star(f.catX[earlier], f.catY[earlier]);
                continue;
            }
            double x = unit(rng) * kind.span, y = unit(rng) * kind.span;
            if (kind.grid > 0) x = std::round(x / kind.grid) * kind.grid, y = std::round(y / kind.grid) * kind.grid;
            f.star(std::round(x) + kind.offset, std::round(y) + kind.offset);
        }
        std::vector<int> chosen(5);
        for (int& c : chosen) c = 1 + static_cast<int>(unit(rng) * kind.stars) % kind.stars;
        const double angle = kind.grid > 0 ? std::floor(unit(rng) * 4) * M_PI / 2 : unit(rng) * 2 * M_PI;
        const double flip = unit(rng) < 0.5 ? -1 : 1;
        for (int k = 1; k <= 5; ++k) {
            const double x = f.catX[chosen[k - 1]] - kind.offset, y = f.catY[chosen[k - 1]] - kind.offset;
            f.pick(k, std::round(std::cos(angle) * x - std::sin(angle) * y * flip) + 37,
                   std::round(std::sin(angle) * x + std::cos(angle) * y * flip) - 12);
        }
        const Rows fast = f.fast(kind.tolerance);
        EXPECT_EQ(fast, f.plain(kind.tolerance));
        // Rounding the picks moves a side by at most sqrt(2): the copied figure
        // is a candidate unless the caps cut the search short.
        const FigureRow truth{static_cast<Int16>(chosen[0]), static_cast<Int16>(chosen[1]),
                              static_cast<Int16>(chosen[2]), static_cast<Int16>(chosen[3]),
                              static_cast<Int16>(chosen[4])};
        if (kind.tolerance > 1.5 && fast.size() <= 300) {
            EXPECT_NE(std::find(fast.begin(), fast.end(), truth), fast.end());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Fields, AgainstPlainLoop,
                         ::testing::Values(FieldKind{"Sparse", 200, 2000, 0, 7, 0, 0, 30},
                                           FieldKind{"FullCatalogueTolerance4", 497, 2000, 0, 4, 0, 0, 4},
                                           FieldKind{"DenseReachingCaps", 150, 400, 0, 20, 0, 0, 15},
                                           FieldKind{"CrowdedPast800", 40, 60, 0, 25, 0, 0, 10},
                                           FieldKind{"LatticeSidesOnTheBound", 120, 200, 0, 10, 10, 0, 30},
                                           FieldKind{"LatticeWideTolerance", 80, 150, 0, 20, 10, 0, 20},
                                           FieldKind{"Duplicates", 100, 500, 0, 7, 0, 30, 30},
                                           FieldKind{"SubPixelTolerance", 300, 1000, 0, 0.5, 0, 0, 15},
                                           FieldKind{"FarFromOrigin", 200, 1000, 935000, 7, 0, 0, 15},
                                           FieldKind{"ZeroTolerance", 100, 300, 0, 0, 0, 0, 3}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FigureSearch, NonFinitePositionsFallBackToTheWholeCatalogue) {
    Field f = shiftedFigure(false);
    f.star(INFINITY, 0);
    f.star(NAN, 5);
    EXPECT_EQ(f.fast(7), (Rows{{2, 3, 4, 5, 6}}));
}

TEST(FigureSearch, RefusesMoreStarsThanTheTableHolds) {
    const Field f;
    EXPECT_THROW(findFigures({f.pickDist, f.catDist, f.catX, f.catY, kCatDistSize + 1, 7}), std::invalid_argument);
}

}  // namespace
}  // namespace sextrix
