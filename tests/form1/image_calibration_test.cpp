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

// The boxes as typed: x, y, RA h m s, Dec d m s.
void typeStar(Form1Model& form, std::array<std::string, 8> texts, const char* sign = "+") {
    for (int k = 0; k < 8; ++k) form.Etalo[k].text = texts[k];
    form.txt_dec_sign_show[1].caption = sign;
}

// The boxes follow the locale; the seconds, which the program fills itself
// in super calibration, take a point too.
TEST(StarReading, RecordsTheTypedPosition) {
    struct Row {
        std::array<std::string, 8> boxes;
        const char* sign;
        char separator;
        double ra, dec;  // degrees
    };
    const Row rows[] = {
        {{"1", "2", "1", "0", "36.9", "10", "0", "36.9"}, "-", '.', 15 + 36.9 / 240, -10 - 36.9 / 3600},
        {{"1", "2", "0", "0", "36,9", "0", "0", "36,9"}, "+", ',', 36.9 / 240, 36.9 / 3600},
        {{"1", "2", "0", "1,5", "0", "0", "1,5", "0"}, "-", ',', 1.5 / 4, -1.5 / 60},
    };
    for (const Row& row : rows) {
        testing::TestApp t;
        t.app.ctx.decimalSeparator = row.separator;
        t.app.ws().imageCalibration.start();
        typeStar(t.app.form1, row.boxes, row.sign);
        BoutonEtalo_Click(t.app);
        EXPECT_TRUE(t.fake.messages.empty()) << row.boxes[4];
        const auto stars = t.app.ws().imageCalibration.stars();
        ASSERT_EQ(stars.size(), 1u);
        EXPECT_NEAR(stars[0].ra, row.ra, 1e-12) << row.boxes[4];
        EXPECT_NEAR(stars[0].dec, row.dec, 1e-12) << row.boxes[4];
    }
}

std::string exact(double v) {
    char buffer[32];
    return std::string(buffer, std::to_chars(buffer, buffer + sizeof buffer, v).ptr);
}

// Star at pixel (x, y) whose offsets from 8h 0m 0s, +10 0' 0" are (dRa, dDec) degrees.
std::array<std::string, 8> starBoxes(int x, int y, double dRa, double dDec) {
    return {std::to_string(x), std::to_string(y), "8", "0", exact(dRa * 240), "10", "0", exact(dDec * 3600)};
}

// Factors 2600 (RA) and 2700 (Dec) written with a point under French decimals.
// A second star that cannot pair with star 1 (its coordinates, or a pick 26
// pixels away) is refused as it is recorded, named, with its boxes kept for
// picking it again.
TEST(ThreeStars, GiveTheFactorsOrAreRefused) {
    const std::array<std::string, 8> seconds[] = {starBoxes(400, 580, 300.0 / 2600, 480.0 / 2700),
                                                  starBoxes(400, 580, 0, 0), starBoxes(126, 100, 0.01, 0)};
    for (const auto& second : seconds) {
        testing::TestApp t;
        Form1Model& form = t.app.form1;
        t.app.ctx.decimalSeparator = ',';
        t.app.ws().imageLoaded = kTrue;
        form.txt_corrasd.text = "1000";
        mnu_etalonage_Click(t.app);
        for (const auto& boxes : {starBoxes(100, 100, 0, 0), second, starBoxes(700, 200, 600.0 / 2600, 100.0 / 2700)}) {
            typeStar(form, boxes);
            BoutonEtalo_Click(t.app);
            if (!t.fake.messages.empty()) break;
        }
        ASSERT_EQ(t.fake.messages.size(), 1u);
        if (second != seconds[0]) {
            EXPECT_NE(t.fake.messages[0].text.find("Star 2 refused"), std::string::npos) << t.fake.messages[0].text;
            EXPECT_EQ(t.app.ws().imageCalibration.nextStar(), 2);
            EXPECT_EQ(form.txt_corrasd.text, "1000");
            EXPECT_EQ(form.Etalo[4].text, second[4]);
            continue;
        }
        EXPECT_EQ(form.txt_corrasd.text.find(','), std::string::npos);
        EXPECT_NEAR(parseLeadingNumber(form.txt_corrasd.text), 2600, 1e-6);
        EXPECT_NEAR(parseLeadingNumber(form.txt_corrdec.text), 2700, 1e-6);
        EXPECT_TRUE(form.frm[3].visible && !form.frm[4].visible);
    }
}

// Super calibration: a hovered star's boxes give back its catalogue position,
// just south of the equator and across 0 h (RA stored below 0).
TEST(HoveredStar, RecordsAsTheCatalogueHasIt) {
    for (const auto [ra, dec] : {std::pair{10.5, -0.4321}, std::pair{-0.25, -30.5}}) {
        testing::TestApp t;
        WorkingState& ws = t.app.ws();
        ws.solved = kTrue;
        ws.corrAsd = 1409.57;
        ws.corrDec = 1440;
        ws.catTotal = 1;
        ws.catX[1] = ra * ws.corrAsd;
        ws.catY[1] = dec * ws.corrDec;
        t.app.form1.star[1] = {120, 80, 8, 8, true, ""};
        mnu_superetalonage_Click(t.app);
        Picture1_MouseMove(t.app, 125, 85);  // by the marker's centre
        Picture1_Click(t.app);
        Picture1_MouseMove(t.app, 300, 300);  // a later hover changes nothing
        BoutonEtalo_Click(t.app);
        EXPECT_TRUE(t.fake.messages.empty()) << ra;
        const auto stars = ws.imageCalibration.stars();
        ASSERT_EQ(stars.size(), 1u);
        EXPECT_EQ(stars[0].x, 124);
        EXPECT_NEAR(stars[0].ra, std::fmod(ra + 360, 360), 1e-6);
        EXPECT_NEAR(stars[0].dec, dec, 1e-6);
    }
}

}  // namespace
}  // namespace sextrix
