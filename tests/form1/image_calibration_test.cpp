#include "form1/image_calibration.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>

#include "form1/input_boxes.h"
#include "form1/picture_events.h"
#include "state/text_number.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

// The boxes as a person types them: x, y, RA h m s, Dec d m s.
void typeStar(Form1Model& form, std::array<std::string, 8> texts, const char* sign = "+") {
    for (int k = 0; k < 8; ++k) form.Etalo[k].text = texts[k];
    form.txt_dec_sign_show[1].caption = sign;
}

struct ReadingRow {
    const char* name;
    std::array<std::string, 8> boxes;
    const char* sign;
    char separator;
    double ra, dec;  // degrees
};

class StarReading : public ::testing::TestWithParam<ReadingRow> {};

TEST_P(StarReading, RecordsTheTypedPosition) {
    const ReadingRow& row = GetParam();
    testing::TestApp t;
    t.app.ctx.decimalSeparator = row.separator;
    t.app.ws().etaloStep = 1;
    typeStar(t.app.form1, row.boxes, row.sign);
    BoutonEtalo_Click(t.app);
    ASSERT_TRUE(t.fake.messages.empty()) << t.fake.messages[0].text;
    EXPECT_NEAR(t.app.ws().etaloRa[1], row.ra, 1e-12);
    EXPECT_NEAR(t.app.ws().etaloDec[1], row.dec, 1e-12);
    EXPECT_EQ(t.app.ws().etaloStep, 2);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StarReading,
    ::testing::Values(
        ReadingRow{"SouthOfTheEquator", {"10", "20", "1", "0", "0", "10", "30", "0"}, "-", '.', 15, -10.5},
        // Seconds are leading numbers with a point: a comma ends them, so do letters.
        ReadingRow{
            "SecondsWithAPoint", {"1", "2", "0", "0", "36.9", "0", "0", "36.9"}, "+", '.', 36.9 / 240, 36.9 / 3600},
        ReadingRow{
            "SecondsWithAComma", {"1", "2", "0", "0", "36,9", "0", "0", "36,9"}, "+", ',', 36.0 / 240, 36.0 / 3600},
        ReadingRow{
            "SecondsBeforeLetters", {"1", "2", "0", "0", "12abc", "0", "0", "7s"}, "+", '.', 12.0 / 240, 7.0 / 3600},
        // The other boxes follow the platform's separator.
        ReadingRow{
            "MinutesWithTheLocaleComma", {"1", "2", "0", "1,5", "0", "0", "1,5", "0"}, "-", ',', 1.5 / 4, -1.5 / 60}),
    [](const auto& info) { return std::string(info.param.name); });

// A number's shortest round-trip text, for typing exact seconds.
std::string exact(double v) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

// Star at pixel (x, y) whose offsets from 8h 0m 0s, +10 0' 0" are (dRa, dDec) degrees.
std::array<std::string, 8> starBoxes(int x, int y, double dRa, double dDec) {
    return {std::to_string(x), std::to_string(y), "8", "0", exact(dRa * 240), "10", "0", exact(dDec * 3600)};
}

// The worked example: offsets (300, 480) and (600, 100) pixels, coordinate
// differences those offsets over 2600 (RA) and 2700 (Dec), French decimals.
class ThreeStars : public ::testing::Test {
protected:
    ThreeStars() {
        t.app.ctx.decimalSeparator = ',';
        t.app.ws().imageLoaded = kTrue;
        t.app.ctx.lang.messages[1] = "Calculer";
        t.app.form1.txt_corrasd.text = "1000";
        t.app.form1.txt_corrdec.text = "1000";
        mnu_etalonage_Click(t.app);
    }
    void record(std::array<std::string, 8> boxes) {
        typeStar(t.app.form1, boxes);
        BoutonEtalo_Click(t.app);
    }
    testing::TestApp t;
};

TEST_F(ThreeStars, GiveTheWorkedExampleFactors) {
    Form1Model& form = t.app.form1;
    ASSERT_TRUE(form.frm[4].visible);
    record(starBoxes(100, 100, 0, 0));
    record(starBoxes(400, 580, 300.0 / 2600, 480.0 / 2700));
    EXPECT_EQ(form.BoutonEtalo.caption, "Calculer");
    record(starBoxes(700, 200, 600.0 / 2600, 100.0 / 2700));
    ASSERT_EQ(t.fake.messages.size(), 1u);
    // Written through the boxes' own handler: a decimal point, whatever the locale.
    EXPECT_EQ(form.txt_corrasd.text.find(','), std::string::npos);
    EXPECT_NEAR(parseLeadingNumber(form.txt_corrasd.text), 2600, 1e-6);
    EXPECT_NEAR(parseLeadingNumber(form.txt_corrdec.text), 2700, 1e-6);
    EXPECT_NE(t.fake.messages[0].text.find("CX = " + form.txt_corrasd.text), std::string::npos);
    EXPECT_EQ(t.app.ws().etaloStep, 4);
    EXPECT_FALSE(form.frm[4].visible);
    EXPECT_TRUE(form.frm[3].visible);
    EXPECT_EQ(form.BoutonEtalo.caption, "Suivant");
}

TEST_F(ThreeStars, SameCoordinatesTwiceAreRefused) {
    record(starBoxes(100, 100, 0, 0));
    record(starBoxes(400, 580, 0, 0));
    const auto third = starBoxes(700, 200, 600.0 / 2600, 100.0 / 2700);
    record(third);
    ASSERT_EQ(t.fake.messages.size(), 1u);
    EXPECT_NE(t.fake.messages[0].text.find("refused"), std::string::npos) << t.fake.messages[0].text;
    EXPECT_EQ(t.app.form1.txt_corrasd.text, "1000");
    EXPECT_EQ(t.app.form1.txt_corrdec.text, "1000");
    EXPECT_EQ(t.app.ws().etaloStep, 3);
    for (int k = 0; k < 8; ++k) EXPECT_EQ(t.app.form1.Etalo[k].text, third[k]) << k;
}

// Super calibration: hovering a drawn star fills the boxes; recording them
// gives back the star's catalogue position, south of the equator and across
// 0 h included.
struct HoverRow {
    const char* name;
    double ra, dec;  // degrees, as stored (RA may be unwrapped below 0)
};

class HoveredStar : public ::testing::TestWithParam<HoverRow> {};

TEST_P(HoveredStar, RecordsAsTheCatalogueHasIt) {
    testing::TestApp t;
    WorkingState& ws = t.app.ws();
    ws.solved = kTrue;
    ws.corrAsd = 1409.57;
    ws.corrDec = 1440;
    ws.catTotal = 1;
    ws.catX[1] = GetParam().ra * ws.corrAsd;
    ws.catY[1] = GetParam().dec * ws.corrDec;
    t.app.form1.star[1] = {120, 80, 8, 8, true, ""};
    mnu_superetalonage_Click(t.app);
    Picture1_MouseMove(t.app, 121, 79);
    EXPECT_EQ(t.app.form1.Etalo[0].text, "124");
    Picture1_Click(t.app);
    EXPECT_TRUE(t.app.form1.clicpic[1].visible);
    Picture1_MouseMove(t.app, 300, 300);  // kept: a later hover changes nothing
    BoutonEtalo_Click(t.app);
    ASSERT_TRUE(t.fake.messages.empty()) << t.fake.messages[0].text;
    EXPECT_EQ(ws.etaloX[1], 124);
    EXPECT_NEAR(ws.etaloRa[1], std::fmod(GetParam().ra + 360, 360), 1e-6);
    EXPECT_NEAR(ws.etaloDec[1], GetParam().dec, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(Rows, HoveredStar,
                         ::testing::Values(HoverRow{"North", 132.9556427, 11.8941574},
                                           HoverRow{"South", 83.8220833, -5.3911111},
                                           HoverRow{"JustSouthOfTheEquator", 10.5, -0.4321},
                                           HoverRow{"AcrossZeroHours", -0.25, -30.5}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace sextrix
