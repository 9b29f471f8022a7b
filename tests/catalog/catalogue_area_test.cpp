#include "catalog/catalogue_area.h"

#include <gtest/gtest.h>

namespace sextrix {
namespace {

const CatalogueArea kArea{132.825, 11.8, 20, 13, "vizier:vizier.cds.unistra.fr"};

// Only a whole area file of the same answer is taken.
TEST(CatalogueArea, IsReadOnlyWholeAndForItsOwnAnswer) {
    const std::string text = formatCatalogueArea(kArea, "stars");
    std::string lf = text;
    for (auto at = lf.find('\r'); at != std::string::npos; at = lf.find('\r')) lf.erase(at, 1);
    const struct {
        const char* name;
        std::string text, answer;
        bool read;
    } rows[] = {{"as written", text, "stars", true},
                {"LF line ends", lf, "stars", true},
                {"another answer", text, "starz", false},
                {"cut short", text.substr(0, text.find("service")), "stars", false},
                {"garbage", "\x01\x02 PNG", "stars", false},
                {"dec beyond 90", "ra=1\r\ndec=91\r\n" + text.substr(text.find("radius")), "stars", false}};
    for (const auto& row : rows) EXPECT_EQ(readCatalogueArea(row.text, row.answer).has_value(), row.read) << row.name;
    EXPECT_EQ(readCatalogueArea(lf, "stars")->service, kArea.service);
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
