#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "localcat/catalogue_writer.h"
#include "localcat/local_catalogue.h"
#include "support/temp_folder.h"

namespace sextrix {
namespace {

double separationArcsec(double ra1, double dec1, double ra2, double dec2) {
    const double d = M_PI / 180;
    return 3600 / d *
           std::acos(std::min(1.0, std::sin(dec1 * d) * std::sin(dec2 * d) +
                                       std::cos(dec1 * d) * std::cos(dec2 * d) * std::cos((ra1 - ra2) * d)));
}

// Stars all over the sky, and many round (150, -40); some without a
// magnitude or a proper motion.
std::vector<LocalStar> someStars() {
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> unit(0, 1);
    std::vector<LocalStar> stars;
    for (int k = 0; k < 6000; ++k) {
        LocalStar s;
        s.id = 1000 + k;
        if (k % 2) {
            s.raDeg = 360 * unit(random), s.decDeg = std::asin(2 * unit(random) - 1) * 180 / M_PI;
        } else {
            s.raDeg = 150 + 4 * (unit(random) - 0.5), s.decDeg = -40 + 3 * (unit(random) - 0.5);
        }
        if (k % 7) s.magR = std::round((6 + 10 * unit(random)) * 1000) / 1000;
        if (k % 3) s.pmRaCosDecMasPerYear = 20 * (unit(random) - 0.5), s.pmDecMasPerYear = -5.5;
        stars.push_back(s);
    }
    return stars;
}

std::string written(const std::string& path, const std::vector<LocalStar>& stars, std::size_t runStars) {
    LocalCatalogueWriter writer(path, {3, runStars});
    for (const LocalStar& s : stars) writer.add(s);
    writer.finish(LocalSource::GaiaDr3);
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Put aside in runs of 700 and merged, the file is the one sorted whole;
// a cone gives exactly the stars within it to the limit, brightest first.
TEST(LocalCatalogueFile, AConeIsTheStarsWithinItBrightestFirstHoweverTheyWereWritten) {
    testing::TempFolder folder;
    const std::vector<LocalStar> stars = someStars();
    const std::string merged = folder.file("merged.vsx"), whole = folder.file("whole.vsx");
    EXPECT_EQ(written(merged, stars, 700), written(whole, stars, 1 << 20));
    EXPECT_FALSE(std::filesystem::exists(merged + ".run0"));

    const Result<LocalCatalogue> catalogue = LocalCatalogue::open(merged);
    ASSERT_TRUE(catalogue) << describe(catalogue.error());
    EXPECT_EQ(catalogue->header().stars, stars.size());
    EXPECT_EQ(catalogue->header().epoch, 2016.0);
    const struct {
        double ra, dec, radius, mag;
    } cones[] = {{150, -40, 1, 16}, {150.5, -40.2, 0.3, 12}, {0.1, 89.9, 5, 20}, {359.9, 0, 10, 11}};
    for (const auto& c : cones) {
        std::vector<std::int64_t> expected;
        for (const LocalStar& s : stars)
            if (s.magR && *s.magR <= c.mag && separationArcsec(c.ra, c.dec, s.raDeg, s.decDeg) <= c.radius * 3600)
                expected.push_back(s.id);
        ConeStats stats;
        const std::vector<LocalStar> found = catalogue->cone(c.ra, c.dec, c.radius, c.mag, std::nullopt, &stats);
        std::vector<std::int64_t> ids;
        for (const LocalStar& s : found) ids.push_back(s.id);
        EXPECT_TRUE(std::is_sorted(found.begin(), found.end(), [](auto& a, auto& b) { return *a.magR < *b.magR; }));
        std::sort(ids.begin(), ids.end());
        EXPECT_EQ(ids, expected) << c.ra << " " << c.dec;
        EXPECT_LT(stats.bytesRead, catalogue->fileBytes() / 2) << c.ra << " " << c.dec;
    }
}

// 16 years of 1"/yr north and 2"/yr east, and the way back.
TEST(LocalCatalogueFile, ProperMotionsCarryAStarToTheEpochAsked) {
    LocalStar s;
    s.raDeg = 10, s.decDeg = 60, s.pmRaCosDecMasPerYear = 2000, s.pmDecMasPerYear = 1000;
    const LocalStar then = starAtEpoch(s, 2016, 2000);
    EXPECT_NEAR((then.decDeg - 60) * 3600, -16, 0.01);
    EXPECT_NEAR((then.raDeg - 10) * 3600 * std::cos(60 * M_PI / 180), -32, 0.01);
    const LocalStar back = starAtEpoch(then, 2000, 2016);
    EXPECT_LT(separationArcsec(back.raDeg, back.decDeg, 10, 60), 0.01);
}

// A file that is no catalogue, is cut short, or is missing; a failed import
// leaves the earlier catalogue as it was.
TEST(LocalCatalogueFile, WhatIsNoWholeCatalogueIsRefused) {
    testing::TempFolder folder;
    const std::string path = folder.file("stars.vsx");
    const std::string before = written(path, someStars(), 1 << 20);
    {
        LocalCatalogueWriter writer(path, {3, 100});
        for (int k = 0; k < 250; ++k) writer.add({k, 10.0 + k * 0.01, 20, {}, {}, 9.0, {}});
        EXPECT_THROW(writer.add({1, 400, 20, {}, {}, 9.0, {}}), std::invalid_argument);
    }
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    const auto cut = folder.file("cut.vsx"), other = folder.file("other.vsx");
    std::filesystem::copy_file(path, cut);
    std::filesystem::resize_file(cut, std::filesystem::file_size(cut) - 3);
    std::ofstream(other) << std::string(200, '#');
    const struct {
        std::string path, says;
    } rows[] = {{cut, "cut short"}, {other, "not a local star catalogue"}, {folder.file("none.vsx"), ""}};
    for (const auto& row : rows) {
        const Result<LocalCatalogue> opened = LocalCatalogue::open(row.path);
        ASSERT_FALSE(opened) << row.path;
        EXPECT_NE(describe(opened.error()).find(row.says), std::string::npos) << describe(opened.error());
    }
}

}  // namespace
}  // namespace sextrix
