#include "catalog/catalogue_area.h"

#include <gtest/gtest.h>

namespace sextrix {
namespace {

const CatalogueArea kArea{132.825, 11.8, 20, 13, "vizier:vizier.cds.unistra.fr"};

// text with the line starting with `start` replaced by `line`.
std::string replacedLine(std::string text, const std::string& start, const std::string& line) {
    const auto at = text.find(start);
    return text.replace(at, text.find("\r\n", at) - at, line);
}

// Only a whole area file of the same answer is taken; the area of another
// answer is none, whatever it holds; anything else names its line, or the
// line missing.
TEST(CatalogueArea, IsReadOnlyWholeAndForItsOwnAnswer) {
    const std::string text = formatCatalogueArea(kArea, "stars");
    std::string lf = text;
    for (auto at = lf.find('\r'); at != std::string::npos; at = lf.find('\r')) lf.erase(at, 1);
    const struct {
        const char* name;
        std::string text, answer;
        bool read;
        const char* error;  // describe(), empty when there is none
    } rows[] = {
        {"as written", text, "stars", true, ""},
        {"LF line ends", lf, "stars", true, ""},
        {"another answer", text, "starz", false, ""},
        {"cut short", text.substr(0, text.find("service")), "stars", false, "data.area: the line service= is missing"},
        {"garbage", "\x01\x02 PNG", "stars", false, "data.area, line 1: not a line key=value"},
        {"dec beyond 90", "ra=1\r\ndec=91\r\n" + text.substr(text.find("radius")), "stars", false,
         "data.area, line 2: dec beyond 90 degrees"},
        {"radius not a number", replacedLine(text, "radius=", "radius=x"), "stars", false,
         "data.area, line 4: radius is not a number: \"x\""}};
    for (const auto& row : rows) {
        const auto area = readCatalogueArea(row.text, "data.area", row.answer);
        EXPECT_EQ(area.ok() && area->has_value(), row.read) << row.name;
        EXPECT_EQ(area.ok() ? "" : describe(area.error()), row.error) << row.name;
    }
    EXPECT_EQ(readCatalogueArea(lf, "data.area", "stars").value()->service, kArea.service);
}

// A 20' area: the image leaves it when a corner would, or, when as large as
// the area, when its centre moves by more than 2'.
TEST(CatalogueArea, TheCentreLeavesItWhenTheImageIsNoLongerCovered) {
    const struct {
        double dRaArcmin, dDecArcmin, halfDiagonalArcmin;
        bool outside;
    } rows[] = {{0, 0, 10, false},  {0, 9.9, 10, false}, {0, 10.1, 10, true}, {0, 1.9, 30, false},
                {0, 2.1, 30, true}, {0, 19.9, 0, false}, {0, 20.1, 0, true},  {12 / 0.979, 0, 10, true}};
    for (const auto& row : rows)
        EXPECT_EQ(centreOutsideArea(kArea, kArea.raDeg + row.dRaArcmin / 60, kArea.decDeg + row.dDecArcmin / 60,
                                    row.halfDiagonalArcmin / 60),
                  row.outside)
            << row.dRaArcmin << " " << row.dDecArcmin << " " << row.halfDiagonalArcmin;
    const CatalogueArea nearZero{359.95, 0, 20, 13, ""};
    EXPECT_FALSE(centreOutsideArea(nearZero, 0.05, 0, 0)) << "across 0 h";
}

}  // namespace
}  // namespace sextrix
