#include "catalog/vizier_stars.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "catalog/star_list_reader.h"
#include "support/recorded_answers.h"

namespace sextrix {
namespace {

using testing::cutAfter;
using testing::replaced;

std::string recorded(const std::string& name) { return testing::recordedAnswer("vizier/" + name); }

// Written down from the recorded files: positions to the reader's five
// decimals, magnitudes as %4.1f, brightest R first.
TEST(VizierAnswer, ReadsTheRecordedTablesInRedOrder) {
    struct Star {
        const char* id;
        double ra, dec;
        const char *magR, *magB;
    };
    const struct {
        const char* file;
        VizierCatalogue catalogue;
        std::vector<Star> stars;
    } rows[] = {
        {"usnoa2_1h34_p22.tsv",
         VizierCatalogue::UsnoA2,
         {{"U1125-00576436", 23.71235, 22.17972, " 9.8", "10.9"},
          {"U1125-00575104", 23.65421, 22.25194, "11.3", "12.6"},
          {"U1125-00578221", 23.80112, 22.09029, "12.0", "    "},
          {"U1125-00575988", 23.69000, 22.30157, "12.7", "13.1"},
          {"U1125-00577012", 23.74445, 22.16000, "12.9", "14.2"}}},
        // Served in f.mag order; R is rmag, or f.mag where APASS has none.
        {"ucac4_pleiades.tsv",
         VizierCatalogue::Ucac4,
         {{"UC4 571-009811", 56.75091, 24.11562, " 7.6", "    "},
          {"UC4 571-009795", 56.69146, 24.02998, " 8.0", " 8.4"},
          {"UC4 571-009840", 56.81273, 24.20335, " 8.3", " 8.5"},
          {"UC4 571-009866", 56.90331, 24.06111, " 9.9", "    "},
          {"UC4 572-010233", 56.63440, 24.18889, "10.4", "11.0"}}},
        // Source ids in 13 base-36 digits (worked out by hand); 359.999998
        // prints as 360.00000 and is written as 0 h; -0.000004 as +0.00000.
        {"gaiadr3_0h_m0.tsv",
         VizierCatalogue::GaiaDr3,
         {{"U0IM1ECZ9L2VI8", 359.99123, -0.41235, "10.9", "11.8"},
          {"U0IM188TI6V8XS", 0.00456, -0.49881, "11.3", "12.0"},
          {"U0IM181SY8G6M8", 0.00000, -0.52341, "12.1", "13.0"},
          {"U0JCD7RMYCYNSW", 0.01287, 0.00400, "12.7", "    "},
          {"U0IM1EKVEXGG00", 359.98346, 0.00000, "13.0", "14.0"}}},
        {"usnoa2_no_rows.tsv", VizierCatalogue::UsnoA2, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const auto answer = starAnswerFromVizier(recorded(row.file), row.catalogue);
        ASSERT_TRUE(answer.ok());
        const auto stars = parseStarList(*answer, "data.txt", 1, 1).value();
        ASSERT_EQ(stars.size(), row.stars.size());
        for (std::size_t i = 0; i < row.stars.size(); ++i) {
            const Star& e = row.stars[i];
            EXPECT_EQ(stars[i].id, e.id);
            EXPECT_NEAR(stars[i].ra, e.ra, 1e-9) << e.id;
            EXPECT_NEAR(stars[i].dec, e.dec, 1e-9) << e.id;
            EXPECT_EQ(stars[i].magR + "|" + stars[i].magB, std::string(e.magR) + "|" + e.magB) << e.id;
        }
    }
}

// Anything but a whole ASU table is refused, whatever reached the file,
// naming the line and what is wrong with it (0: the answer as a whole).
TEST(VizierAnswer, RefusesBodiesThatAreNotAWholeTable) {
    const std::string usno = recorded("usnoa2_1h34_p22.tsv");
    const struct {
        const char* name;
        std::string body;
        int line;
        const char* cause;  // a part of it
    } rows[] = {
        {"comments only", "#\n#   VizieR Astronomical Server vizier.cds.unistra.fr\n#***Error: unknown catalogue\n", 3,
         "an error: #***Error: unknown catalogue"},
        {"cut inside a row", cutAfter(usno, "1125-00575988", 6), 0, "no closing line"},
        {"cell missing", replaced(usno, "\t12.7\t13.1", "\t12.7"), 25, "4 cells where the header has 5"},
        {"magnitude column missing", replaced(usno, "Rmag\tBmag\nde", "Rmog\tBmag\nde"), 19, "not the header"},
        {"position not a number", replaced(usno, "023.654210", "23 39 15.4"), 23, "position"},
        {"declination beyond the pole", replaced(usno, "+22.251943", "+92.251943"), 23, "position"},
        {"magnitude not a number", replaced(usno, "\t11.3\t", "\t11.3:\t"), 23, "magnitude"},
        {"empty identifier", replaced(usno, "1125-00575104", ""), 23, "no identifier"},
    };
    for (const auto& row : rows) {
        const auto answer = starAnswerFromVizier(row.body, VizierCatalogue::UsnoA2);
        ASSERT_FALSE(answer.ok()) << row.name;
        EXPECT_EQ(answer.error().file, kVizierAnswer) << row.name;
        EXPECT_EQ(answer.error().line, row.line) << row.name;
        EXPECT_NE(answer.error().cause.find(row.cause), std::string::npos)
            << row.name << ": " << describe(answer.error());
    }
}

// More rows than the layout's 5000: the brightest 5000 are written, and the
// reader keeps its 4000 of them, brightest first.
TEST(VizierAnswer, WritesTheBrightest5000) {
    std::string tsv = "_RAJ2000\t_DEJ2000\tUSNO-A2.0\tRmag\tBmag\ndeg\tdeg\t\tmag\tmag\n---\t---\t---\t---\t---\n";
    // Served faintest first (60.00 down to 10.00), so the cut must follow the sort.
    for (int i = 0; i <= 5000; ++i)
        tsv += "023.7\t+22.1\t1125-" + std::to_string(10000000 + i) + "\t" + std::to_string((6000 - i) / 100) + "." +
               std::to_string(100 + (6000 - i) % 100).substr(1) + "\t\n";
    tsv += "\n#INFO\tmatches=5001\tmatching records\n";
    const auto answer = starAnswerFromVizier(tsv, VizierCatalogue::UsnoA2);
    ASSERT_TRUE(answer.ok());
    EXPECT_EQ(answer->find("U1125-10000000"), std::string::npos);
    const auto stars = parseStarList(*answer, "data.txt", 1, 1).value();
    ASSERT_EQ(stars.size(), 4000u);
    EXPECT_EQ(stars.front().id, "U1125-10005000");
}

TEST(VizierUrl, IsTheDocumentedAsuQuery) {
    // 1 h 34 m 50 s, +22 11 01, 20', to magnitude 13.5.
    const StarCone m33{23.7083333333, 22.1836111111, 20, 13.5};
    const std::string cone = "&-c=23.708333%20%2B22.183611&-c.eq=J2000&-c.rm=20&-out.add=_RAJ,_DEJ&-oc.form=dec";
    EXPECT_EQ(vizierStarUrl("vizier.cds.unistra.fr", VizierCatalogue::UsnoA2, m33),
              "https://vizier.cds.unistra.fr/viz-bin/asu-tsv?-source=I/252/out" + cone +
                  "&-out=USNO-A2.0,Rmag,Bmag&-sort=Rmag&-out.max=5000&Rmag=%3C13.5");
    EXPECT_EQ(vizierStarUrl("http://vizier.cfa.harvard.edu/", VizierCatalogue::Ucac4, m33),
              "http://vizier.cfa.harvard.edu/viz-bin/asu-tsv?-source=I/322A/out" + cone +
                  "&-out=UCAC4,rmag,f.mag,Bmag&-sort=f.mag&-out.max=5000&f.mag=%3C13.5");
    EXPECT_EQ(vizierStarUrl("https://vizier.cds.unistra.fr", VizierCatalogue::GaiaDr3, {0.5, -0.25, 7.5, 12}),
              "https://vizier.cds.unistra.fr/viz-bin/asu-tsv?-source=I/355/gaiadr3&-c=0.500000%20-0.250000"
              "&-c.eq=J2000&-c.rm=7.5&-out.add=_RAJ,_DEJ&-oc.form=dec"
              "&-out=Source,RPmag,BPmag&-sort=RPmag&-out.max=5000&RPmag=%3C12");
}

// A whole cone for the local catalogue: each catalogue's own columns, no
// sort, the row cap given.
TEST(VizierUrl, AsksACatalogueConeInItsOwnColumns) {
    const StarCone cone{132.890625, 11.848051, 7.862, 16};
    const std::string centre = "&-c=132.890625%20%2B11.848051&-c.eq=J2000&-c.rm=7.862&-oc.form=dec";
    const struct {
        VizierCatalogue catalogue;
        std::string query;
    } rows[] = {
        {VizierCatalogue::UsnoA2, "I/252/out" + centre +
                                      "&-out=USNO-A2.0,RAJ2000,DEJ2000,Bmag,Rmag&-out.max=100000"
                                      "&Rmag=%3C16"},
        {VizierCatalogue::Ucac4,
         "I/322A/out" + centre + "&-out=UCAC4,RAJ2000,DEJ2000,pmRA,pmDE,f.mag,rmag,Bmag&-out.max=100000&f.mag=%3C16"},
        {VizierCatalogue::GaiaDr3,
         "I/355/gaiadr3" + centre + "&-out=Source,RA_ICRS,DE_ICRS,pmRA,pmDE,BPmag,RPmag&-out.max=100000&RPmag=%3C16"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(vizierCatalogueUrl("vizier.cds.unistra.fr", row.catalogue, cone, 100000),
                  "https://vizier.cds.unistra.fr/viz-bin/asu-tsv?-source=" + row.query);
}

}  // namespace
}  // namespace sextrix
