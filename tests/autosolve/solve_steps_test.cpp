#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "autosolve/auto_picks.h"
#include "autosolve/solve_field.h"
#include "detect/luminance_image.h"
#include "fieldsim/demo_field.h"
#include "fieldsim/field_render.h"
#include "fieldsim/sky_projection.h"
#include "fieldsim/star_csv.h"
#include "geometry/tan_projection.h"
#include "state/text_file.h"

namespace sextrix {
namespace {

using namespace fieldsim;

// The automatic identification walked step by step on the demo's sky (the
// M 67 star list), rendered as the camera turned and mirrored, under hints
// good and a little off: each step must hand on what the next needs, and the
// last the field's true solution.
struct StepRow {
    const char* name;
    double upPositionAngleDeg;
    bool mirrored;  // the image, and the hint that says so
    double raOffsetFields, decOffsetFields, scaleFactor;
};

const StepRow kRows[] = {
    {"demo_as_shipped", 4, false, 0, 0, 1},
    {"turned_and_mirrored", 130, true, 0, 0, 1},
    {"hint_a_quarter_field_off_scale_3pc_big", 4, false, 0.25, -0.2, 1.03},
};

class SolveSteps : public testing::TestWithParam<StepRow> {};

TEST_P(SolveSteps, EachStepHandsOnWhatTheNextNeeds) {
    const StepRow& row = GetParam();
    FieldSetup setup = m67DemoSetup();
    setup.upPositionAngleDeg = row.upPositionAngleDeg;
    setup.mirrored = row.mirrored;
    const auto sky = readStarCsv(readFileBytes(std::string(SEXTRIX_DATA_DIR) + "/demo/m67-field-stars.csv").value());
    std::vector<ReferenceStar> catalogue;
    for (const auto& s : sky) catalogue.push_back({"", s.raDeg, s.decDeg});

    const double fieldDeg = setup.height * setup.arcsecPerPixel / 3600;
    const double cosDec = std::cos(setup.centreDecDeg * std::numbers::pi / 180);
    SolveHints hints;
    hints.centreRaDeg = setup.centreRaDeg + row.raOffsetFields * fieldDeg / cosDec;
    hints.centreDecDeg = setup.centreDecDeg + row.decOffsetFields * fieldDeg;
    hints.corrDec = 3600 / setup.arcsecPerPixel * row.scaleFactor;
    hints.corrAsd = hints.corrDec * cosDec;
    hints.mirrored = row.mirrored;

    // Detection: the image's stars, brightest first.
    const DecodedImage image = renderField(setup, sky);
    const std::vector<DetectedStar> detected = detectStars(luminanceImage(image.width, image.height, image.pixels));
    ASSERT_GE(detected.size(), 25u);

    // 1. The values can be solved.
    FieldSolver solver(detected, image.width, image.height, catalogue, hints, {});
    ASSERT_EQ(solver.refusal(), "");

    // 2. The solvable stars the picks are made among.
    const SolvePreparation& prepared = solver.prepare();
    EXPECT_GE(prepared.stars.size(), 25u);

    // 3. Picks as a person makes them: the five brightest catalogue stars on
    // the image, each at a solvable detection.
    std::array<PickedStar, 5> stars;
    const auto toClick = starsToClick(setup, sky, 5, 30);
    ASSERT_EQ(toClick.size(), 5u);
    for (std::size_t k = 0; k < 5; ++k) {
        const DetectedStar* nearest = nullptr;
        for (const DetectedStar& d : prepared.stars)
            if (!nearest || std::hypot(d.x - toClick[k].at.x, d.y - toClick[k].at.y) <
                                std::hypot(nearest->x - toClick[k].at.x, nearest->y - toClick[k].at.y))
                nearest = &d;
        ASSERT_NE(nearest, nullptr);
        ASSERT_LT(std::hypot(nearest->x - toClick[k].at.x, nearest->y - toClick[k].at.y), 1.0) << "pick " << k + 1;
        stars[k] = {nearest->x, nearest->y};
    }
    const FivePicks picks = orderedPicks(stars);

    // 4. The figure search at the scale that undoes the hint's: at least one
    // candidate gets through the decider.
    const double scale = 1 / row.scaleFactor;
    const std::vector<JudgedCandidate> candidates = solver.candidates(picks, scale);
    ASSERT_FALSE(candidates.empty());
    EXPECT_EQ(solver.searches(), 1);

    // 5. The best stands out against chance and its rivals (rule 1).
    const std::optional<CandidateChoice> choice = solver.choose(candidates);
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->verdict, Verdict::Accepted) << verdictText(choice->verdict);
    EXPECT_GE(choice->best.evidence.matches, 10);
    EXPECT_GT(choice->best.evidence.excess, 2 * choice->runnerUpExcess);

    // 6. The held-back half falls on detected stars (rule 2), the image's
    // parity as rendered.
    const CandidateProof proof = solver.prove(*choice, picks, scale);
    ASSERT_EQ(proof.verdict, Verdict::Accepted) << verdictText(proof.verdict);
    ASSERT_TRUE(proof.halfSolution);
    EXPECT_EQ(orientationOf(*proof.halfSolution).mirrored, row.mirrored);
    EXPECT_GE(proof.matches, 20);
    EXPECT_GE(proof.matches, 0.8 * proof.predicted);
    EXPECT_LT(proof.log10FalseAlarm, -9);

    // 7. The refinement on every pair is accepted (rule 3) and is the true
    // solution over the whole image.
    EXPECT_EQ(solver.accept(*choice, proof, picks, scale), Verdict::Accepted);

    // 8. The outcome is the true solution over the whole image.
    const SolveOutcome outcome = solver.finish();
    ASSERT_TRUE(outcome.solved) << outcome.reason;
    EXPECT_LE(outcome.rmsPx, 0.2);
    EXPECT_NEAR(tanScaleArcsecPerPixel(outcome.solution), setup.arcsecPerPixel, 0.005);
    const TanSolution truth = trueSolution(setup);
    const double w = setup.width - 1, h = setup.height - 1;
    for (const auto [x, y] : {std::pair{0.0, 0.0}, {w, 0.0}, {0.0, h}, {w, h}, {w / 2, h / 2}}) {
        const SkyDirection at = tanPixelToSky(truth, x, y);
        const auto found = tanSkyToPixel(outcome.solution, at.raDeg, at.decDeg);
        ASSERT_TRUE(found);
        EXPECT_LT(std::hypot(found->x - x, found->y - y), 0.3) << "at (" << x << ", " << y << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, SolveSteps, testing::ValuesIn(kRows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
