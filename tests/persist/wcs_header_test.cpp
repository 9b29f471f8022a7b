#include "persist/wcs_header.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <utility>

#include "geometry/tan_projection.h"

namespace sextrix {
namespace {

TanSolution solutionWith(int sipOrder, bool mirrored) {
    TanSolution s;
    s.refX = 511.7, s.refY = 383.2, s.refRaDeg = 359.98, s.refDecDeg = -62.5;
    const double scale = 1.7 / 3600, c = std::cos(0.4), n = std::sin(0.4);
    s.cd = {-scale * c * (mirrored ? -1 : 1), scale * n, scale * n * (mirrored ? -1 : 1), scale * c};
    if (sipOrder) {
        const auto terms = static_cast<std::size_t>((sipOrder + 1) * (sipOrder + 1));
        s.sip = {sipOrder, std::vector<double>(terms), std::vector<double>(terms)};
        for (std::size_t k = 2; k < terms; ++k) {
            s.sip.a[k] = 1e-6 / static_cast<double>(k * k);  // terms below order 2 are ignored
            s.sip.b[k] = -7e-7 / static_cast<double>(k);
        }
    }
    return s;
}

// Written and read back in either row order, the header gives the same sky
// for every pixel.
TEST(WcsHeader, ReadsBackTheSameProjection) {
    struct Row {
        int sipOrder;
        bool mirrored;
        FitsRows rows;
    };
    for (const Row row : {Row{0, false, FitsRows::TopDown}, Row{3, false, FitsRows::TopDown},
                          Row{2, true, FitsRows::BottomUp}, Row{3, false, FitsRows::BottomUp}}) {
        SCOPED_TRACE(testing::Message() << row.sipOrder << (row.rows == FitsRows::BottomUp ? " bottom-up" : ""));
        const TanSolution s = solutionWith(row.sipOrder, row.mirrored);
        const WcsImage image{1024, 768, row.rows};
        const std::string text = wcsHeaderText(s, image);
        ASSERT_EQ(text.size() % 2880, 0u);
        EXPECT_EQ(
            text.find_first_not_of(
                " !\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[\\]^_`abcdefghijklmnopqrstuvwxyz{|}~"),
            std::string::npos);
        EXPECT_EQ(text.substr(0, 30), "SIMPLE  =                    T");
        EXPECT_EQ(text.find("CTYPE1  = 'RA---TAN-SIP'") != std::string::npos, row.sipOrder > 0);
        EXPECT_EQ(text.find("END" + std::string(77, ' ')) % 80, 0u);
        const Result<TanSolution> back = readWcsHeader(text, "m.wcs", image);
        ASSERT_TRUE(back.ok()) << describe(back.error());
        for (double y = 0; y < 768; y += 47.9)
            for (double x = 0; x < 1024; x += 63.9) {
                const SkyDirection a = tanPixelToSky(s, x, y), b = tanPixelToSky(*back, x, y);
                EXPECT_NEAR(
                    std::remainder(a.raDeg - b.raDeg, 360.0) * std::cos(a.decDeg * std::numbers::pi / 180) * 3600, 0,
                    1e-6);
                EXPECT_NEAR((a.decDeg - b.decDeg) * 3600, 0, 1e-6);
            }
    }
}

TEST(WcsHeader, RefusesWhatItCannotRead) {
    const std::string good = wcsHeaderText(solutionWith(2, false), {100, 100, FitsRows::TopDown});
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        text.replace(text.find(from), to.size(), to);
        return text;
    };
    const std::pair<std::string, const char*> rows[] = {
        {replaced("CTYPE1  = 'RA---TAN-SIP'", "CTYPE1  = 'RA---SIN-SIP'"), "not a tangent-plane solution"},
        {replaced("CD1_1   =", "CDX_1   ="), "missing or unreadable CD1_1"},
        {replaced("A_ORDER =                    2", "A_ORDER =                   12"), "A_ORDER and B_ORDER"},
        {std::string(2880, 'x'), "not a tangent-plane solution"},
    };
    for (const auto& [text, cause] : rows) {
        const Result<TanSolution> reading = readWcsHeader(text, "m.wcs", {100, 100, FitsRows::TopDown});
        ASSERT_FALSE(reading.ok()) << cause;
        EXPECT_EQ(reading.error().file, "m.wcs");
        EXPECT_NE(reading.error().cause.find(cause), std::string::npos) << describe(reading.error());
    }
}

// The sidecar sits beside the image and never takes the image's own name.
TEST(WcsHeader, SidecarPathBesideTheImage) {
    const std::pair<std::string, std::string> rows[] = {
        {"demo/m67.jpg", "demo/m67.wcs"},
        {"/data/night.2024/field.FITS", "/data/night.2024/field.wcs"},
        {"/data/night.2024/field", "/data/night.2024/field.wcs"},
        {"/data/.hidden", "/data/.hidden.wcs"},
        {"field.WCS", "field.WCS.wcs"},
    };
    for (const auto& [image, sidecar] : rows) EXPECT_EQ(wcsSidecarPath(image), sidecar) << image;
}

}  // namespace
}  // namespace sextrix
