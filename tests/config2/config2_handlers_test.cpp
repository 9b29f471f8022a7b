// The classic calibration window, driven through its handler.
#include "config2/config2_handlers.h"

#include <gtest/gtest.h>

#include "state/text_number.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

void typeDeclination(Form1Model& form, std::array<const char*, 3> dec, const char* sign = "+") {
    for (int k = 0; k < 3; ++k) form.txt_dec[k].text = dec[k];
    form.txt_dec_sign_show[0].caption = sign;
}

// Corr Asd carries cos δ of the typed centre; the sensor's size reads with
// the locale's separator as well as a point.
TEST(Config2Window, ComputeWritesTheScaleBoxesForTheCentresDeclination) {
    struct Row {
        char separator;
        std::array<const char*, 6> boxes;
        std::array<const char*, 3> dec;
        const char* sign;
        double corrAsd;
    };
    const Row rows[] = {
        {'.', {"", "13.8", "9.0", "1024", "680", "1000"}, {"0", "0", "0"}, "+", 1294.99},
        {',', {"", "13,8 mm", "9", "1024", "680", "1000,0"}, {"60", "0", "0"}, "-", 647.49},
    };
    for (const Row& row : rows) {
        testing::TestApp t;
        t.app.ctx.decimalSeparator = row.separator;
        t.app.ctx.lang.messages[7] = "New scale factors";
        Config2_Form_Load(t.app);
        for (int k = 1; k <= 5; ++k) t.app.config2.txt[k].text = row.boxes[k];
        typeDeclination(t.app.form1, row.dec, row.sign);
        Config2_cmd1_Click(t.app);
        const Form1Model& form = t.app.form1;
        EXPECT_NEAR(parseStrictNumber(form.txt_corrasd.text, '.'), row.corrAsd, 0.005) << row.boxes[1];
        EXPECT_NEAR(parseStrictNumber(form.txt_corrdec.text, '.'), 1318.60, 0.005) << row.boxes[1];
        const std::string& text = t.fake.messages.at(0).text;
        EXPECT_EQ(text.find("New scale factors: CX = " + form.txt_corrasd.text + " and CY = " + form.txt_corrdec.text),
                  0u);
        EXPECT_NE(text.find("1294.99"), std::string::npos) << text;        // the plain factor
        EXPECT_NE(text.find(": 47.4 x 30.9"), std::string::npos) << text;  // the sensor's field
    }
}

TEST(Config2Window, BadBoxesAreReportedAndLeaveTheScaleBoxes) {
    struct Row {
        std::array<const char*, 6> boxes;
        std::array<const char*, 3> dec;
    };
    const Row rows[] = {
        {{"", "13.8", "9.0", "1024", "680", ""}, {"30", "0", "0"}},         // no focal length
        {{"", "13.8", "9.0", "1024 px", "680", "1000"}, {"30", "0", "0"}},  // not a number
        {{"", "13.8", "9.0", "1024", "680", "1000"}, {"", "", ""}},         // no centre
        {{"", "13.8", "9.0", "1024", "680", "1000"}, {"95", "0", "0"}},     // no declination
    };
    for (const Row& row : rows) {
        testing::TestApp t;
        t.app.form1.txt_corrasd.text = "1409.57";
        for (int k = 1; k <= 5; ++k) t.app.config2.txt[k].text = row.boxes[k];
        typeDeclination(t.app.form1, row.dec);
        Config2_cmd1_Click(t.app);
        EXPECT_EQ(t.app.form1.txt_corrasd.text, "1409.57");
        EXPECT_EQ(t.fake.messages.size(), 1u);
    }
}

}  // namespace
}  // namespace sextrix
