#include "autosolve/solve_field.h"

#include <gtest/gtest.h>

#include <cmath>

#include "detect/luminance_image.h"
#include "fieldsim/demo_field.h"
#include "fieldsim/field_render.h"
#include "fieldsim/star_csv.h"
#include "geometry/tan_projection.h"
#include "state/text_file.h"

namespace sextrix {
namespace {

using namespace fieldsim;

// The shipped demo field, rendered again, under hints good and bad: a good
// hint solves to the true centre; a hint off by more than a field or by 20 %
// in scale must give no solution rather than a wrong one.
struct HintRow {
    const char* name;
    double raOffsetFields, decOffsetFields, scaleFactor;
    bool solves;
};

const HintRow kRows[] = {
    {"true", 0, 0, 1, true},
    {"quarter_field_off_scale_4pc", 0.25, -0.2, 1.04, true},
    {"two_fields_off", 2.0, 1.5, 1, false},
    {"scale_20pc_off", 0, 0, 1.2, false},
};

class DemoHints : public testing::TestWithParam<HintRow> {};

TEST_P(DemoHints, SolvesRightOrNotAtAll) {
    const HintRow& row = GetParam();
    const FieldSetup setup = m67DemoSetup();
    const auto stars = readStarCsv(readFileBytes(std::string(SEXTRIX_DATA_DIR) + "/demo/m67-field-stars.csv").value());
    const DecodedImage image = renderField(setup, stars);
    const auto detected = detectStars(luminanceImage(image.width, image.height, image.pixels));
    std::vector<ReferenceStar> catalogue;
    for (const auto& s : stars) catalogue.push_back({"", s.raDeg, s.decDeg});

    const double fieldDeg = setup.height * setup.arcsecPerPixel / 3600;
    const double cosDec = std::cos(setup.centreDecDeg * 3.141592653589793 / 180);
    SolveHints hints;
    hints.centreRaDeg = setup.centreRaDeg + row.raOffsetFields * fieldDeg / cosDec;
    hints.centreDecDeg = setup.centreDecDeg + row.decOffsetFields * fieldDeg;
    hints.corrDec = 3600 / setup.arcsecPerPixel * row.scaleFactor;
    hints.corrAsd = hints.corrDec * cosDec;
    SolveSettings settings;
    settings.maxSearches = 400;

    const SolveOutcome outcome = solveField(detected, image.width, image.height, catalogue, hints, settings);
    ASSERT_EQ(outcome.solved, row.solves) << outcome.reason;
    if (!outcome.solved) return;
    const SkyDirection centre = tanPixelToSky(outcome.solution, (setup.width - 1) / 2.0, (setup.height - 1) / 2.0);
    EXPECT_NEAR((centre.raDeg - setup.centreRaDeg) * cosDec * 3600, 0, 1.0) << "arcsec";
    EXPECT_NEAR((centre.decDeg - setup.centreDecDeg) * 3600, 0, 1.0) << "arcsec";
    EXPECT_NEAR(tanScaleArcsecPerPixel(outcome.solution), setup.arcsecPerPixel, 0.005);
}

INSTANTIATE_TEST_SUITE_P(Rows, DemoHints, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
