// A field across right ascension 0 h, from the catalogue files to the figure
// search and the pointer readout.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "chart/pointer_readout.h"
#include "form1/catalogue_files.h"
#include "form1/chart.h"
#include "identify/figure_search.h"
#include "identify/star_distance.h"
#include "support/answer_builders.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// Centre typed at 23h59m59s +10 deg, J2000.0: 359.99583 deg.
constexpr double kCentreRa = (23 + 59 / 60.0 + 59 / 3600.0) * 15;
constexpr double kScale = 3600;  // units per degree on both axes: one per arcsecond

// Stars 3 and 4 sit 0.1 deg east and west of 0 h.
const double kStars[][2] = {{0.05, 10.02}, {359.92, 9.95},  {0.1, 9.9},   {359.9, 10.08},
                            {0.15, 10.1},  {359.97, 10.12}, {0.02, 9.97}, {359.85, 10}};
constexpr int kStarCount = 8;

struct FieldAcrossZero : ::testing::Test {
    FieldAcrossZero() {
        const char* centre[6] = {"23", "59", "59", "10", "0", "0"};
        for (int k = 0; k < 3; ++k) t.app.form1.txt_ra[k].text = centre[k], t.app.form1.txt_dec[k].text = centre[k + 3];
        t.app.ws().corrAsd = t.app.ws().corrDec = kScale;
        std::vector<testing::StarFields> stars(kStarCount);
        for (int i = 0; i < kStarCount; ++i) {
            char id[16], ra[16], dec[16];
            std::snprintf(id, sizeof id, "U0975-%08d", i + 1);
            std::snprintf(ra, sizeof ra, "%9.5f", kStars[i][0]);
            std::snprintf(dec, sizeof dec, "%9.5f", kStars[i][1]);
            stars[i].id = id, stars[i].ra = ra, stars[i].dec = dec;
        }
        t.folder.write("data.txt", testing::starAnswer(stars));
    }
    testing::TestApp t;
};

TEST_F(FieldAcrossZero, CataloguePositionsAreContinuousAndTheFigureIsFound) {
    READFILE(t.app, CentreJ2000(t.app));
    WorkingState& ws = t.app.ws();
    ASSERT_EQ(ws.catTotal, kStarCount);
    for (int i = 1; i <= kStarCount; ++i)
        EXPECT_LT(std::fabs(ws.catX[i] - kCentreRa * kScale), 0.2 * kScale) << "star " << i << " at " << ws.catX[i];
    EXPECT_DOUBLE_EQ(ws.catRa[3], 360.1);
    EXPECT_DOUBLE_EQ(ws.catRa[4], 359.9);

    // Five stars on both sides of 0 h as they lie on the sky, picked on an
    // image of one pixel per arcsecond turned by half a turn.
    const FigureRow picked{2, 3, 5, 6, 8};
    for (int k = 1; k <= 5; ++k) {
        const double* star = kStars[picked[k - 1] - 1];
        ws.pickX[k] = 2000 - std::remainder(star[0] - kCentreRa, 360.0) * kScale;
        ws.pickY[k] = 2000 - (star[1] - 10) * kScale;
    }
    fillDistances(ws.pickDist, ws.pickX, ws.pickY, ws.pickDist.size());
    fillDistances(ws.catDist, ws.catX, ws.catY, ws.catCount);
    const auto rows = findFigures({ws.pickDist, ws.catDist, ws.catX, ws.catY, ws.catCount, 3});
    EXPECT_NE(std::find(rows.begin(), rows.end(), picked), rows.end()) << rows.size() << " rows";
}

TEST_F(FieldAcrossZero, ReadoutAndAsteroidsShowBothSidesOf0h) {
    READFILE(t.app, CentreJ2000(t.app));
    const WorkingState& ws = t.app.ws();
    // 0.1 deg is 24 s of time; 359.9 deg is 24 s before 24 h.
    EXPECT_EQ(readoutCaption(catalogueReadout(ws, 3)),
              "U0975-00000003   MagR-B=12.3 13.4   Ra:0h0'24''   Dec:9°54'0''  (J2000.0)");
    EXPECT_EQ(readoutCaption(catalogueReadout(ws, 4)),
              "U0975-00000004   MagR-B=12.3 13.4   Ra:23h59'36''   Dec:10°4'48''  (J2000.0)");

    testing::AsteroidFields east{.ra = "00 00 24.0"}, west{.ra = "23 59 36.0"};
    t.folder.write("data2.txt", testing::asteroidPage({testing::asteroidLine(east), testing::asteroidLine(west)}));
    READFILE_ASTER(t.app, CentreJ2000(t.app));
    EXPECT_EQ(ws.astX[1], "1296360");
    EXPECT_EQ(ws.astX[2], "1295640");
}

}  // namespace
}  // namespace sextrix
