// The classic calibration window, driven through its handler.
#include "config2/config2_handlers.h"

#include <gtest/gtest.h>

#include "state/text_number.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

TEST(Config2Window, ComputeWritesTheScaleBoxesAndReportsTheField) {
    struct Row {
        char separator;
        std::array<const char*, 6> boxes;
        double corrAsd;
        const char* message;
    };
    // A width typed with a comma reads as its whole part, 13.
    const Row rows[] = {
        {',', {"", "13.8", "9.0", "1024", "680", "1000"}, 1294.99, "CCD size: 47,4444' x 30,942'"},
        {',', {"", "13,8", "9", "1024", "680", "1000,0"}, 1374.68, "CCD size: 44,694' x 30,942'"},
    };
    for (const Row& row : rows) {
        testing::TestApp t;
        t.app.ctx.decimalSeparator = row.separator;
        t.app.ctx.lang.messages[7] = "New scale factors";
        Config2_Form_Load(t.app);
        for (int k = 1; k <= 5; ++k) t.app.config2.txt[k].text = row.boxes[k];
        Config2_cmd1_Click(t.app);
        const Form1Model& form = t.app.form1;
        // The boxes hold the factors with a point whatever the system's notation.
        EXPECT_NEAR(parseStrictNumber(form.txt_corrasd.text, '.'), row.corrAsd, 0.005) << row.boxes[1];
        EXPECT_NEAR(parseStrictNumber(form.txt_corrdec.text, '.'), 1318.60, 0.005) << row.boxes[1];
        EXPECT_EQ(t.fake.messages.at(0).text, "New scale factors: CX = " + form.txt_corrasd.text +
                                                  " et CY = " + form.txt_corrdec.text + "\r" + row.message);
    }
}

TEST(Config2Window, BadBoxesAreReportedAndLeaveTheScaleBoxes) {
    const std::array<const char*, 6> bad[] = {
        {"", "13.8", "9.0", "1024", "680", ""},         // no focal length
        {"", "13.8", "9.0", "1024 px", "680", "1000"},  // not a number
    };
    for (const auto& boxes : bad) {
        testing::TestApp t;
        t.app.form1.txt_corrasd.text = "1409.57";
        for (int k = 1; k <= 5; ++k) t.app.config2.txt[k].text = boxes[k];
        Config2_cmd1_Click(t.app);
        EXPECT_EQ(t.app.form1.txt_corrasd.text, "1409.57");
        EXPECT_EQ(t.fake.messages.size(), 1u);
    }
}

}  // namespace
}  // namespace sextrix
