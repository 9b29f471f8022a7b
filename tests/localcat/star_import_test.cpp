#include "localcat/star_import.h"

#include <fitsio.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "support/recorded_answers.h"
#include "support/temp_folder.h"

namespace sextrix {
namespace {

using testing::TempFolder;

// A VizieR asu-tsv answer as the server writes one: the banner and the
// resource's and table's comments (8 lines), the column names (line 9), units,
// dashes, the rows (from line 12), a blank line and the closing line.
std::string asu(const std::string& table, const std::vector<std::string>& lines) {
    std::string text =
        "#\n#   VizieR Astronomical Server vizier.cds.unistra.fr\n#    Date: 2026-11-30T21:04:17 [V7.4.6]\n#\n"
        "#RESOURCE=yCat_1\n#Name: " +
        table.substr(0, table.rfind('/')) + "\n#Table\t" + table + ":\n#Name: " + table + "\n";
    for (const std::string& line : lines) text += line + "\n";
    return text + "\n#INFO\tmatches=" + std::to_string(lines.size() - 3) + "\tmatching records\n";
}

const std::string kTycho =
    asu("I/259/tyc2", {"TYC1\tTYC2\tTYC3\tpflag\tRAmdeg\tDEmdeg\tpmRA\tpmDE\tBTmag\tVTmag",
                       " \t \t\t\tdeg\tdeg\tmas/yr\tmas/yr\tmag\tmag",
                       "----\t-----\t-\t-\t------------\t------------\t-------\t-------\t------\t------",
                       "2798\t1667\t1\t \t014.18794139\t+38.49926139\t  -12.3\t   -3.6\t 4.911\t 3.868",
                       "9537\t309\t1\tX\t            \t            \t       \t       \t12.606\t11.314",
                       "1\t8\t1\t \t002.31750500\t+02.23184300\t  -16.3\t   -9.0\t      \t12.146"});

const std::string kGaiaVizier = asu(
    "I/355/gaiadr3",
    {"RA_ICRS\tDE_ICRS\tSource\tpmRA\tpmDE\tGmag\tBPmag\tRPmag", "deg\tdeg\t\tmas/yr\tmas/yr\tmag\tmag\tmag",
     "---------------\t---------------\t-------------------\t---------\t---------\t---------\t---------\t---------",
     "045.00432028915\t+00.02104776378\t34361129088\t   12.617\t    0.138\t17.641426\t         \t         ",
     "359.99123400000\t-00.41234600000\t2449768227474519296\t         \t         \t11.401200\t11.843000\t10.912000"});

// The Gaia archive's ECSV: its YAML header, then the CSV with nulls empty or "null".
const std::string kGaiaCsv =
    "# %ECSV 1.0\n# ---\n# delimiter: ','\n# datatype:\n# - {name: source_id, datatype: int64}\n"
    "source_id,ra,dec,pmra,pmdec,phot_g_mean_mag,phot_bp_mean_mag,phot_rp_mean_mag\n"
    "4295806720,44.99615537864534,0.005615226341865997,12.616485,0.13794228,17.641426,18.1,16.9\n"
    "34361129088,45.00432028915398,0.02104776378,,,19.2,null,\n";

struct Expected {
    const char* id;
    double ra, dec;
    std::optional<double> pmRa, pmDec, magR, magB;
};

std::string gzipped(const std::string& text) {
    std::string out(compressBound(text.size()) + 64, '\0');
    z_stream z{};
    deflateInit2(&z, Z_DEFAULT_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    z.avail_in = static_cast<uInt>(text.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, Z_FINISH);
    out.resize(z.total_out);
    deflateEnd(&z);
    return out;
}

// cfitsio's name for a file it may replace.
std::string replacing(const std::string& path) {
    std::string name = "!";
    return name.append(path);
}

// A FITS file of an empty primary and one binary table of these columns
// (TFORM), every value given as a double (NaN: null).
void writeFitsTable(const std::string& path, std::vector<const char*> names, std::vector<const char*> forms,
                    const std::vector<std::vector<double>>& rows) {
    int status = 0;
    fitsfile* file = nullptr;
    fits_create_file(&file, replacing(path).c_str(), &status);
    fits_create_tbl(file, BINARY_TBL, 0, static_cast<int>(names.size()), const_cast<char**>(names.data()),
                    const_cast<char**>(forms.data()), nullptr, "STARS", &status);
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < names.size(); ++c) {
            double value = rows[r][c];
            if (std::isnan(value))
                fits_write_col_null(file, static_cast<int>(c) + 1, static_cast<LONGLONG>(r) + 1, 1, 1, &status);
            else
                fits_write_col(file, TDOUBLE, static_cast<int>(c) + 1, static_cast<LONGLONG>(r) + 1, 1, 1, &value,
                               &status);
        }
    fits_close_file(file, &status);
    ASSERT_EQ(status, 0) << path;
}

const double kNull = std::nan("");

TEST(StarImport, ReadsEachFormatRowByRow) {
    TempFolder folder;
    folder.write("tycho2.tsv", kTycho);
    folder.write("gaia.tsv", kGaiaVizier);
    folder.write("gaia.csv", kGaiaCsv);
    folder.write("gaia.csv.gz", gzipped(kGaiaCsv));
    writeFitsTable(folder.file("tycho2.fits"),
                   {"TYC1", "TYC2", "TYC3", "RAmdeg", "DEmdeg", "pmRA", "pmDE", "BTmag", "VTmag"},
                   {"1J", "1J", "1I", "1D", "1D", "1E", "1E", "1E", "1E"},
                   {{2798, 1667, 1, 14.18794139, 38.49926139, -12.25, -3.5, 4.911, 3.868},
                    {9537, 309, 1, kNull, kNull, kNull, kNull, 12.606, 11.314},
                    {1, 8, 1, 2.317505, 2.231843, -16.25, -9, kNull, 12.146}});
    const std::string usno = std::string(SEXTRIX_TEST_DATA_DIR) + "/vizier/usnoa2_1h34_p22.tsv";
    const std::string ucac4 = std::string(SEXTRIX_TEST_DATA_DIR) + "/vizier/ucac4_pleiades.tsv";
    const struct {
        std::string path;
        LocalSource source;
        std::uint64_t stars, skipped;
        std::size_t index;  // of the star checked
        Expected star;
    } rows[] = {
        {usno, LocalSource::UsnoA2, 5, 0, 2, {"1125-00578221", 23.801117, 22.090288, {}, {}, 12.0, {}}},
        // rmag blank: f.mag.
        {ucac4, LocalSource::Ucac4, 5, 0, 0, {"571-009811", 56.750908, 24.115622, {}, {}, 7.602, {}}},
        {ucac4, LocalSource::Ucac4, 5, 0, 1, {"571-009840", 56.812734, 24.203347, {}, {}, 8.301, 8.455}},
        {folder.file("tycho2.tsv"),
         LocalSource::Tycho2,
         2,
         1,
         0,
         {"2798-01667-1", 14.18794139, 38.49926139, -12.3, -3.6, 3.868, 4.911}},
        {folder.file("tycho2.tsv"),
         LocalSource::Tycho2,
         2,
         1,
         1,
         {"1-00008-1", 2.317505, 2.231843, -16.3, -9.0, 12.146, {}}},
        {folder.file("gaia.tsv"),
         LocalSource::GaiaDr3,
         2,
         0,
         0,
         {"34361129088", 45.00432028915, 0.02104776378, 12.617, 0.138, {}, {}}},
        {folder.file("gaia.tsv"),
         LocalSource::GaiaDr3,
         2,
         0,
         1,
         {"2449768227474519296", 359.991234, -0.412346, {}, {}, 10.912, 11.843}},
        {folder.file("gaia.csv"),
         LocalSource::GaiaDr3,
         2,
         0,
         0,
         {"4295806720", 44.99615537864534, 0.005615226341865997, 12.616485, 0.13794228, 16.9, 18.1}},
        {folder.file("gaia.csv.gz"),
         LocalSource::GaiaDr3,
         2,
         0,
         1,
         {"34361129088", 45.00432028915398, 0.02104776378, {}, {}, {}, {}}},
        {folder.file("tycho2.fits"),
         LocalSource::Tycho2,
         2,
         1,
         0,
         {"2798-01667-1", 14.18794139, 38.49926139, -12.25, -3.5, 3.868, 4.911}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path + " star " + std::to_string(row.index));
        std::vector<LocalStar> stars;
        double lastFraction = 0;
        const auto read = importStars(
            row.path, [&](const LocalStar& star) { stars.push_back(star); },
            [&](double fraction) { lastFraction = fraction; });
        ASSERT_TRUE(read.ok()) << describe(read.error());
        EXPECT_EQ(read->source, row.source);
        EXPECT_EQ(read->stars, row.stars);
        EXPECT_EQ(read->skipped, row.skipped);
        EXPECT_EQ(lastFraction, 1.0);
        ASSERT_EQ(stars.size(), row.stars);
        const LocalStar& star = stars[row.index];
        const auto near = [](const std::optional<double>& a, const std::optional<double>& b) {
            return a.has_value() == b.has_value() && (!a || std::fabs(*a - *b) < 1e-5);
        };
        EXPECT_EQ(star.id, localIdOf(row.source, row.star.id));
        EXPECT_NEAR(star.raDeg, row.star.ra, 1e-9);
        EXPECT_NEAR(star.decDeg, row.star.dec, 1e-9);
        EXPECT_TRUE(near(star.pmRaCosDecMasPerYear, row.star.pmRa));
        EXPECT_TRUE(near(star.pmDecMasPerYear, row.star.pmDec));
        EXPECT_TRUE(near(star.magR, row.star.magR));
        EXPECT_TRUE(near(star.magB, row.star.magB));
    }
}

TEST(StarImport, RefusesNamingTheFileTheLineAndTheFault) {
    TempFolder folder;
    const std::string gaia = testing::recordedAnswer("vizier/gaiadr3_0h_m0.tsv");
    const auto row = [](const std::string& text, int line, const std::string& to) {
        std::string out;
        int at = 0;
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = text.find('\n', start);
            out += ++at == line ? to : text.substr(start, end - start);
            out += '\n';
            start = end + 1;
        }
        return out;
    };
    const struct {
        const char* name;
        std::string bytes;
        int line;
        const char* cause;
    } cases[] = {
        {"empty.tsv", "", 0, "empty"},
        {"error.html",
         "<html><head><title>Error</title></head>\n<body><h1>503 Service Unavailable</h1></body></html>\n", 1,
         "HTML page, not a star table: Error"},
        {"votable.xml", "<?xml version=\"1.0\"?>\n<VOTABLE version=\"1.4\">\n", 1, "VOTable"},
        {"other.tsv", asu("I/239/hip_main", {"HIP\tVmag", "\tmag", "---\t---", "1\t9.1"}), 9, "I/239/hip_main"},
        {"gaia_j2000.tsv", gaia, 19, "RA_ICRS and DE_ICRS"},
        {"cells.tsv", row(kTycho, 13, "9537\t309\t1\tX"), 13, "4 cells where there are 10 columns"},
        {"position.tsv", row(kTycho, 12, "2798\t1667\t1\t \tabc\t+38.5\t\t\t\t4.0"), 12, "right ascension \"abc\""},
        {"range.tsv", row(kTycho, 12, "2798\t1667\t1\t \t361\t+38.5\t\t\t\t4.0"), 12, "out of range"},
        {"magnitude.tsv", row(kTycho, 12, "2798\t1667\t1\t \t14.1\t+38.5\t\t\t\t4.O"), 12, "R-like magnitude \"4.O\""},
        {"identifier.tsv", row(kTycho, 12, "27a8\t1667\t1\t \t14.1\t+38.5\t\t\t\t4.0"), 12,
         "not a Tycho-2 designation"},
        {"sexagesimal.tsv", row(kTycho, 10, " \t \t\t\t\"h:m:s\"\t\"d:m:s\"\tmas/yr\tmas/yr\tmag\tmag"), 10,
         "decimal degrees"},
        {"cut.tsv", kTycho.substr(0, kTycho.find("\n1\t8\t1") + 1), 13, "closing line"},
        {"second.tsv", kTycho + "TYC1\tTYC2\n", 17, "second table"},
        {"refused.tsv", "#\n#***\tIncorrect parameter -c.rm=x\n#INFO\tmatches=0\tmatching records\n", 2,
         "VizieR answered with an error"},
        {"cut.csv", kGaiaCsv.substr(0, kGaiaCsv.size() - 20), 8, "cut short"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        folder.write(c.name, c.bytes);
        const auto read = importStars(folder.file(c.name), [](const LocalStar&) {});
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error().file, folder.file(c.name));
        EXPECT_EQ(read.error().line, c.line);
        EXPECT_NE(read.error().cause.find(c.cause), std::string::npos) << describe(read.error());
    }
}

TEST(StarImport, RefusesFitsWithoutATableOrWithABadRow) {
    TempFolder folder;
    int status = 0;
    fitsfile* image = nullptr;
    long axes[] = {4, 4};
    fits_create_file(&image, replacing(folder.file("image.fits")).c_str(), &status);
    fits_create_img(image, SHORT_IMG, 2, axes, &status);
    fits_close_file(image, &status);
    writeFitsTable(folder.file("dec.fits"), {"source_id", "ra", "dec", "phot_rp_mean_mag"}, {"1K", "1D", "1D", "1E"},
                   {{1, 10, 10, 12}, {2, 10, 95, 12}});
    writeFitsTable(folder.file("nomag.fits"), {"source_id", "ra", "dec", "phot_g_mean_mag"}, {"1K", "1D", "1D", "1E"},
                   {{1, 10, 10, 12}});
    const struct {
        const char* name;
        int record;
        const char* cause;
    } cases[] = {{"image.fits", 0, "without a table"},
                 {"dec.fits", 2, "out of range"},
                 {"nomag.fits", 0, "without the magnitude column phot_rp_mean_mag"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const auto read = importStars(folder.file(c.name), [](const LocalStar&) {});
        ASSERT_FALSE(read.ok());
        EXPECT_EQ(read.error().file, folder.file(c.name));
        EXPECT_EQ(read.error().line, c.record);
        EXPECT_EQ(read.error().place, ReadPlace::Record);
        EXPECT_NE(read.error().cause.find(c.cause), std::string::npos) << describe(read.error());
    }
}

}  // namespace
}  // namespace sextrix
