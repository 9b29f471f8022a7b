#include "fieldsim/demo_field.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "catalog/star_list_reader.h"
#include "fieldsim/catalogue_answer.h"
#include "fieldsim/demo_texts.h"
#include "fieldsim/field_render.h"
#include "fieldsim/plate_fit.h"
#include "fieldsim/star_csv.h"
#include "state/text_file.h"
#include "support/fake_platform.h"

namespace sextrix::fieldsim {
namespace {

std::vector<CatalogueStar> demoStars() {
    return readStarCsv(readFileBytes(testing::dataFile("demo/m67-field-stars.csv")).value());
}

const DemoFiles kFiles{"m67.jpg", "data.txt", "solution.txt", "m67-field-stars.csv"};

TEST(DemoField, StarListHoldsTheFortyOneStars) {
    const auto stars = demoStars();
    ASSERT_EQ(stars.size(), 41u);
    EXPECT_DOUBLE_EQ(stars.front().raDeg, 132.9556427);
    EXPECT_DOUBLE_EQ(stars.back().mag, 12.713);
}

std::vector<std::string> lines(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        out.push_back(text.substr(start, end - start));
    return out;
}

// The shipped files are what the generator makes now; run render_field
// (see data/demo/README.md) after changing it. The full-precision lines of
// the solution ("corrAsd 1409.569...", "plate.a -0.9975...") are compared as
// numbers, since another maths library may differ in the last digit.
TEST(DemoField, ShippedFilesAreUpToDate) {
    const FieldSetup setup = m67DemoSetup();
    const auto stars = demoStars();
    EXPECT_EQ(readFileBytes(testing::dataFile("demo/data.txt")).value(), catalogueAnswer(setup, stars));
    EXPECT_EQ(readFileBytes(testing::dataFile("demo/README.md")).value(), demoReadme(setup, stars, kFiles));
    EXPECT_TRUE(fileExists(testing::dataFile("demo/m67.jpg")));

    const auto shipped = lines(readFileBytes(testing::dataFile("demo/solution.txt")).value());
    const auto fresh = lines(solutionText(setup, stars));
    ASSERT_EQ(shipped.size(), fresh.size());
    for (std::size_t i = 0; i < fresh.size(); ++i) {
        const bool fullPrecision = fresh[i].rfind("plate", 0) == 0 || fresh[i].rfind("corr", 0) == 0;
        if (!fullPrecision) {
            EXPECT_EQ(shipped[i], fresh[i]);
            continue;
        }
        const std::size_t blank = fresh[i].find(' ');
        EXPECT_EQ(shipped[i].substr(0, blank), fresh[i].substr(0, blank));
        const double a = std::stod(shipped[i].substr(blank)), b = std::stod(fresh[i].substr(blank));
        EXPECT_NEAR(a, b, 1e-12 * std::fabs(b)) << fresh[i];
    }
}

TEST(DemoField, InputsAreThoseOfTheCamera) {
    const FieldSetup setup = m67DemoSetup();
    // 8h51m18s = 132.825 deg; half-diagonal 640.3 px * 2.5" = 26.7'; the
    // faintest star, VT 12.713, is red 12.4.
    EXPECT_DOUBLE_EQ(setup.centreRaDeg, 132.825);
    EXPECT_DOUBLE_EQ(setup.centreDecDeg, 11.8);
    EXPECT_EQ(sexagesimalText(setup.centreRaDeg / 15), "08 51 18");
    EXPECT_EQ(sexagesimalText(setup.centreDecDeg), "11 48 00");
    EXPECT_EQ(queryRadiusArcmin(setup), 27);
    EXPECT_EQ(magnitudeLimit(demoStars()), 13);
    EXPECT_DOUBLE_EQ(corrDecOf(setup), 1440.0);
    EXPECT_NEAR(corrAsdOf(setup), 1409.57, 0.01);
}

// The five to click: the catalogue's stars 1, 3, 4, 7 and 8 (VT 7.98 to
// 9.91); stars 2, 5 and 6 are brighter than some of them but lie off the
// image.
TEST(DemoField, FiveStarsToClickAreBrightAndApart) {
    const FieldSetup setup = m67DemoSetup();
    const auto stars = demoStars();
    const auto clicks = starsToClick(setup, stars, 5, 15);
    ASSERT_EQ(clicks.size(), 5u);
    const std::size_t expected[] = {0, 2, 3, 6, 7};
    for (std::size_t k = 0; k < 5; ++k) EXPECT_EQ(clicks[k].index, expected[k]);
    for (std::size_t k = 0; k < 5; ++k)
        for (std::size_t l = k + 1; l < 5; ++l)
            EXPECT_GT(std::hypot(clicks[k].at.x - clicks[l].at.x, clicks[k].at.y - clicks[l].at.y), 60.0);
}

// Each star to click shows where the projection puts it, noise and extra
// stars included, and is the brightest thing around.
TEST(DemoField, StarsToClickAreImagedWhereProjected) {
    const FieldSetup setup = m67DemoSetup();
    const auto stars = demoStars();
    const DecodedImage image = renderField(setup, stars);
    for (const auto& click : starsToClick(setup, stars, 5, 15)) {
        const int cx = static_cast<int>(std::lround(click.at.x)), cy = static_cast<int>(std::lround(click.at.y));
        double sum = 0, sx = 0, sy = 0;
        for (int y = cy - 7; y <= cy + 7; ++y)
            for (int x = cx - 7; x <= cx + 7; ++x) {
                const double v = (image.pixels[static_cast<std::size_t>(y) * image.width + x] & 0xFF) - setup.skyLevel;
                sum += v, sx += v * x, sy += v * y;
            }
        EXPECT_NEAR(sx / sum, click.at.x, 0.25) << click.index;
        EXPECT_NEAR(sy / sum, click.at.y, 0.25) << click.index;
        EXPECT_EQ(image.pixels[static_cast<std::size_t>(cy) * image.width + cx] & 0xFF, 255) << click.index;
    }
}

// The true plate, applied to the positions the program reads from the
// answer, lands on the image positions of the stars to click: the
// projection, the fit, the answer's columns and the reader agree.
TEST(DemoField, PlateMapsTheAnswerOntoTheImage) {
    const FieldSetup setup = m67DemoSetup();
    const auto stars = demoStars();
    const PlateFit fit = fitPlate(setup);
    EXPECT_LT(fit.maxResidualPx, 1.0);
    EXPECT_LT(maxResidualAt(setup, fit.plate, stars), 0.5);

    const auto ordered = brightestFirst(stars);
    const auto read =
        parseStarList(catalogueAnswer(setup, stars), "data.txt", corrAsdOf(setup), corrDecOf(setup)).value();
    ASSERT_EQ(read.size(), 41u);
    for (const auto& click : starsToClick(setup, ordered, 5, 15)) {
        const auto at = skyToPixel(fit.plate, read[click.index].x, read[click.index].y);
        ASSERT_TRUE(at);
        // Half a scaled unit of rounding and the model's half pixel.
        EXPECT_NEAR(at->x, click.at.x, 1.0) << click.index;
        EXPECT_NEAR(at->y, click.at.y, 1.0) << click.index;
    }
}

TEST(DemoField, ReadmeNamesTheInputsAndTheStarsToClick) {
    const FieldSetup setup = m67DemoSetup();
    const auto stars = demoStars();
    const std::string readme = demoReadme(setup, stars, kFiles);
    for (const char* text :
         {"| RA (h m s) | 08 51 18 |", "| Dec sign | + |", "| Dec (d m s) | 11 48 00 |", "| Epoch | 2000.0 |",
          "| Field | 27 |", "| Mag limit | 13 |", "| Corr RA (Corr Asd) | 1409.57 |", "| Corr Dec | 1440 |",
          "| Tolerance | 7 |", "`demo/m67.jpg`", "render_field data/demo/m67-field-stars.csv data/demo"})
        EXPECT_NE(readme.find(text), std::string::npos) << text;
    const auto ids = serviceIdentifiers(brightestFirst(stars));
    for (const auto& click : starsToClick(setup, brightestFirst(stars), 5, 15))
        EXPECT_NE(readme.find(ids[click.index]), std::string::npos) << ids[click.index];
}

struct CsvRow {
    const char* name;
    const char* text;
};

class BadStarList : public ::testing::TestWithParam<CsvRow> {};

TEST_P(BadStarList, IsRefusedWithItsLine) { EXPECT_THROW(readStarCsv(GetParam().text), std::invalid_argument); }

INSTANTIATE_TEST_SUITE_P(Lists, BadStarList,
                         ::testing::Values(CsvRow{"NoHeader", "132.9,11.8,8.0\n"},
                                           CsvRow{"TwoValues", "ra_deg,dec_deg,mag_vt\n132.9,11.8\n"},
                                           CsvRow{"FourValues", "ra_deg,dec_deg,mag_vt\n1,2,3,4\n"},
                                           CsvRow{"NotANumber", "ra_deg,dec_deg,mag_vt\n132.9,north,8\n"},
                                           CsvRow{"TrailingText", "ra_deg,dec_deg,mag_vt\n132.9,11.8,8x\n"},
                                           CsvRow{"DeclinationBeyondThePole", "ra_deg,dec_deg,mag_vt\n132.9,91,8\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StarList, TakesCrLfAndBlankLines) {
    const auto stars = readStarCsv("ra_deg,dec_deg,mag_vt\r\n\r\n1.5, -2.25 ,3\r\n4,5,6");
    ASSERT_EQ(stars.size(), 2u);
    EXPECT_EQ(stars[0].raDeg, 1.5);
    EXPECT_EQ(stars[0].decDeg, -2.25);
    EXPECT_EQ(stars[1].mag, 6);
}

}  // namespace
}  // namespace sextrix::fieldsim
