#include "form1/info_panel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "details/report_text.h"
#include "support/english_labels.h"
#include "support/fake_platform.h"

namespace sextrix {
namespace {

struct ReportApp : testing::TestApp {
    ReportApp() { app.ctx.lang.infoTexts = testing::englishInfoTexts(); }
    const RichTextPanel& panel() const { return app.form1.InfoMore; }
};

// The tags removed by a second, much simpler rule: every "<...>" goes.
std::string withoutTags(const std::string& markup) {
    std::string plain;
    bool inTag = false;
    for (char c : markup) {
        if (c == '<') inTag = true;
        if (!inTag) plain += c;
        if (c == '>') inTag = false;
    }
    return plain;
}

// The number that follows the label on the line, read back from the panel.
double numberAfter(const std::string& text, const std::string& label, std::size_t from = 0) {
    const auto at = text.find(label, from);
    EXPECT_NE(at, std::string::npos) << label;
    return at == std::string::npos ? NAN : std::stod(text.substr(at + label.size()));
}

TEST(ShowStarInfo, WritesTheRenderedReportAndShowsTheFrame) {
    ReportApp t;
    t.app.ctx.precessDeltaRa = 5;  // left over from an earlier step
    t.app.ctx.precessDeltaDec = 5;
    ShowStarInfo(t.app, "1275-10398276", 279.2347348, 38.7836889, "0.5", "0.0", "2000.0");

    const ReportStyle style{t.app.ctx.lang.infoTexts, '.'};
    EXPECT_EQ(t.panel().text, withoutTags(starReportMarkup(style, "1275-10398276", 279.2347348, 38.7836889, "0.5",
                                                           "0.0", "2000.0", PrecessionDelta{0, 0})));
    EXPECT_TRUE(t.app.form1.Frm6.visible);

    const auto runs = spans(t.panel());
    ASSERT_GE(runs.size(), 3u);
    EXPECT_EQ(runs[0].text, "1275-10398276");
    CharFormat titleFormat;
    titleFormat.bold = titleFormat.italic = titleFormat.underline = true;
    titleFormat.sizePoints = 12;
    EXPECT_EQ(runs[0].format, titleFormat);
    EXPECT_EQ(runs[1].format, CharFormat{});
    EXPECT_EQ(runs[2].text, "Properties");
    EXPECT_TRUE(runs[2].format.bold);

    EXPECT_NEAR(t.app.ctx.precessDeltaRa, 0, 1e-9);
    EXPECT_NEAR(t.app.ctx.precessDeltaDec, 0, 1e-9);
}

TEST(ShowStarInfo, PrecessesToTheEpochTypedAndKeepsTheCorrections) {
    // Meeus, Astronomical Algorithms, example 21.b: theta Persei, J2000.0
    // position with proper motion applied (41.054063, 49.227750), precessed
    // to 2028 Nov 13.19 TD, t = 0.288670500 century: (41.547214, 49.348483).
    // Meeus uses the IAU 1976 precession angles; the newer angles of our
    // precession differ from them by about 0.1" here, hence 1e-4 degree.
    constexpr double kTolerance = 1e-4;
    ReportApp t;
    ShowStarInfo(t.app, "theta Per", 41.054063, 49.227750, "", "", "2028.86705 TD");

    EXPECT_NEAR(t.app.ctx.precessDeltaRa, 41.547214 - 41.054063, kTolerance);
    EXPECT_NEAR(t.app.ctx.precessDeltaDec, 49.348483 - 49.227750, kTolerance);
    const std::string& text = t.panel().text;
    const auto epochBlock = text.find("Coordinates for the epoch (J2028.86705 TD)");
    ASSERT_NE(epochBlock, std::string::npos);
    EXPECT_NEAR(numberAfter(text, "Right ascension (°): ", epochBlock), 41.547214, kTolerance);
    EXPECT_NEAR(numberAfter(text, "Declination (°): ", epochBlock), 49.348483, kTolerance);
    EXPECT_NEAR(numberAfter(text, "Right ascension (°): "), 41.05406, 1e-9);
}

TEST(ShowPointInfo, UsesTheLocaleSeparatorAndKeepsTheCorrections) {
    ReportApp t;
    t.app.ctx.decimalSeparator = ',';
    ShowPointInfo(t.app, 83.822083, -5.391111, "1950");
    const ReportStyle style{t.app.ctx.lang.infoTexts, ','};
    const PrecessionDelta kept{t.app.ctx.precessDeltaRa, t.app.ctx.precessDeltaDec};
    // Meeus eq. 21.1 over -50 years, m = 3.07496 s and n = 20.0431" a year,
    // rates at the mid-interval position (ra 83.515): (m + n sin(ra) tan(dec))
    // * -50 = -0.6145 degree, n cos(ra) * -50 = -0.0314 degree.
    EXPECT_NEAR(kept.ra, -0.6145, 0.002);
    EXPECT_NEAR(kept.dec, -0.0314, 0.0005);
    EXPECT_EQ(t.panel().text, withoutTags(pointReportMarkup(style, 83.822083, -5.391111, "1950", kept)));
    EXPECT_NE(t.panel().text.find("83,82208"), std::string::npos);
    EXPECT_TRUE(t.app.form1.Frm6.visible);
}

TEST(ShowStarInfo, AnAngleTooLargeToFormatLeavesThePanelAsItWas) {
    ReportApp t;
    ShowPointInfo(t.app, 10, 20, "2000");
    const std::string before = t.panel().text;
    t.app.form1.Frm6.visible = false;
    // A right ascension is shown within one turn; a declination has no such range.
    EXPECT_ANY_THROW(ShowStarInfo(t.app, "far", 10, 1e9, "", "", "2000"));
    EXPECT_EQ(t.panel().text, before);
    EXPECT_FALSE(t.app.form1.Frm6.visible);
}

}  // namespace
}  // namespace sextrix
