#include "fits/fits_image.h"

#include <fitsio.h>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>

#include "fits/display_stretch.h"
#include "support/temp_folder.h"

namespace sextrix {
namespace {

constexpr int kW = 3, kH = 2;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Written {
    int bitpix;
    double bzero = 0, bscale = 1;
    std::vector<double> stored;  // FITS order (row 1 first), as kept in the file
    bool inExtension = false;
    int planes = 1;
    const char* whiteKey = nullptr;  // DATAMAX or SATURATE = 1000
};

// Writes the stored numbers as they are (no scaling on the way in), with
// BZERO/BSCALE keys that the reader must apply.
void writeFits(const std::string& path, const Written& w) {
    std::filesystem::remove(path);
    fitsfile* f = nullptr;
    int status = 0;
    long axes[3] = {kW, kH, w.planes};
    fits_create_diskfile(&f, path.c_str(), &status);
    if (w.inExtension) fits_create_img(f, SHORT_IMG, 0, axes, &status);
    fits_create_img(f, w.bitpix, w.planes > 1 ? 3 : 2, axes, &status);
    if (w.bzero != 0 || w.bscale != 1) {
        fits_update_key(f, TDOUBLE, "BZERO", const_cast<double*>(&w.bzero), nullptr, &status);
        fits_update_key(f, TDOUBLE, "BSCALE", const_cast<double*>(&w.bscale), nullptr, &status);
        fits_set_bscale(f, 1.0, 0.0, &status);
    }
    if (w.whiteKey) {
        double level = 1000;
        fits_update_key(f, TDOUBLE, w.whiteKey, &level, nullptr, &status);
    }
    fits_write_img(f, TDOUBLE, 1, static_cast<LONGLONG>(w.stored.size()), const_cast<double*>(w.stored.data()),
                   &status);
    fits_close_file(f, &status);
    ASSERT_EQ(status, 0);
}

struct ReadCase {
    const char* name;
    Written file;
    std::vector<double> expected;  // picture order: top row (FITS row 2) first
    double white;
};

class FitsRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(FitsRead, GivesPhysicalValuesTopRowLast) {
    const ReadCase& c = GetParam();
    testing::TempFolder folder;
    const std::string path = folder.path() + "/image.fits";
    writeFits(path, c.file);
    const FitsImage read = readFitsImage(path).value();
    ASSERT_EQ(read.image.width, kW);
    ASSERT_EQ(read.image.height, kH);
    for (std::size_t k = 0; k < c.expected.size(); ++k)
        EXPECT_NEAR(read.image.values[k], c.expected[k], 1e-3 * std::max(1.0, std::abs(c.expected[k]))) << k;
    EXPECT_NEAR(read.image.whiteLevel, c.white, 1e-6 * c.white);
    EXPECT_EQ(read.hdu, c.file.inExtension ? 2 : 1);
}

INSTANTIATE_TEST_SUITE_P(
    Types, FitsRead,
    ::testing::Values(
        ReadCase{"byte", {BYTE_IMG, 0, 1, {0, 1, 2, 253, 254, 255}}, {253, 254, 255, 0, 1, 2}, 255},
        ReadCase{"unsigned16",
                 {SHORT_IMG, 32768, 1, {-32768, 0, 1, 2, 3, 32767}},
                 {32770, 32771, 65535, 0, 32768, 32769},
                 65535},
        ReadCase{
            "scaled16", {SHORT_IMG, 100, 2, {0, 1, 2, 3, 4, 5}}, {106, 108, 110, 100, 102, 104}, 100 + 2 * 32767.0},
        ReadCase{"long32", {LONG_IMG, 0, 1, {-5, 0, 70000, 1, 2, 3}}, {1, 2, 3, -5, 0, 70000}, 2147483647.0},
        ReadCase{"float_nan", {FLOAT_IMG, 0, 1, {1.5, kNaN, 3, 4, 5, 60}}, {4, 5, 60, 1.5, 4, 3}, 60},
        ReadCase{"double_extension", {DOUBLE_IMG, 0, 1, {-1, 0, 1, 2, 3, 4}, true}, {2, 3, 4, -1, 0, 1}, 4},
        ReadCase{"saturate_key", {SHORT_IMG, 0, 1, {0, 1, 2, 3, 4, 5}, false, 1, "SATURATE"}, {3, 4, 5, 0, 1, 2}, 1000},
        ReadCase{"datamax_key", {FLOAT_IMG, 0, 1, {0, 1, 2, 3, 4, 5}, false, 1, "DATAMAX"}, {3, 4, 5, 0, 1, 2}, 1000},
        // Red 100, green 200, blue 0 everywhere but the last pixel (all 10).
        ReadCase{
            "rgb_cube",
            {BYTE_IMG, 0, 1, {100, 100, 100, 100, 100, 10, 200, 200, 200, 200, 200, 10, 0, 0, 0, 0, 0, 10}, false, 3},
            {147.3, 147.3, 10, 147.3, 147.3, 147.3},
            255}),
    [](const auto& info) { return std::string(info.param.name); });

// The time keywords usually sit in the primary header, before an image in
// an extension: both headers are kept, the image's own first.
TEST(FitsRead, KeepsTheKeywordsOfTheImageAndThePrimary) {
    testing::TempFolder folder;
    const std::string path = folder.file("image.fits");
    writeFits(path, {SHORT_IMG, 0, 1, {0, 1, 2, 3, 4, 5}, true});
    fitsfile* f = nullptr;
    int status = 0, type = 0;
    fits_open_diskfile(&f, path.c_str(), READWRITE, &status);
    fits_update_key_str(f, "DATE-OBS", "2024-03-05T21:14:03", nullptr, &status);
    fits_update_key_str(f, "OBSERVER", "O'Hara", nullptr, &status);
    double exposure = 120;
    fits_update_key(f, TDOUBLE, "EXPTIME", &exposure, nullptr, &status);
    fits_movabs_hdu(f, 2, &type, &status);
    exposure = 60;
    fits_update_key(f, TDOUBLE, "EXPTIME", &exposure, nullptr, &status);
    fits_close_file(f, &status);
    ASSERT_EQ(status, 0);

    const auto keywords = readFitsImage(path).value().keywords;
    EXPECT_EQ(keywords.at("DATE-OBS"), "2024-03-05T21:14:03");
    EXPECT_EQ(keywords.at("OBSERVER"), "O'Hara");
    EXPECT_EQ(std::stod(keywords.at("EXPTIME")), 60);
}

TEST(FitsRead, RefusesWhatIsNoPicture) {
    testing::TempFolder folder;
    const std::string dir = folder.path();
    writeFits(dir + "/full.fits", {SHORT_IMG, 0, 1, std::vector<double>(kW * kH, 7)});
    const auto bytes = std::filesystem::file_size(dir + "/full.fits");
    std::filesystem::copy_file(dir + "/full.fits", dir + "/cut.fits");
    std::filesystem::resize_file(dir + "/cut.fits", bytes - 2880);
    std::ofstream(dir + "/text.fits") << "no FITS here\n";
    auto header = [&](const char* name, int naxis, long n1, long n2) {
        fitsfile* f = nullptr;
        int status = 0;
        long axes[2] = {n1, n2};
        fits_create_diskfile(&f, (dir + "/" + name).c_str(), &status);
        fits_create_img(f, BYTE_IMG, naxis, axes, &status);
        fits_close_file(f, &status);
    };
    header("empty.fits", 0, 0, 0);
    header("line.fits", 1, 50, 0);
    // Written by hand: cfitsio would fill the declared data with zeros.
    std::string cards;
    for (const char* card :
         {"SIMPLE  =                    T", "BITPIX  =                    8", "NAXIS   =                    2",
          "NAXIS1  =                70000", "NAXIS2  =                70000", "END"})
        cards += (std::string(card) + std::string(80, ' ')).substr(0, 80);
    std::ofstream(dir + "/huge.fits", std::ios::binary) << cards + std::string(2880 - cards.size(), ' ');
    // A header block alone claiming 200 MB, and a compressed one claiming
    // 10^10 pixels: both refused before anything of that size is made.
    const auto headerOf = [](const char* n1, const char* n2) {
        std::string text;
        for (const std::string card :
             {std::string("SIMPLE  =                    T"), std::string("BITPIX  =                    8"),
              std::string("NAXIS   =                    2"), std::string("NAXIS1  = ") + n1,
              std::string("NAXIS2  = ") + n2, std::string("END")})
            text += (card + std::string(80, ' ')).substr(0, 80);
        return text + std::string(2880 - text.size(), ' ');
    };
    std::ofstream(dir + "/claims.fits", std::ios::binary) << headerOf("65535", "3051");
    const gzFile gz = gzopen((dir + "/bomb.fits.gz").c_str(), "wb");
    const std::string bomb = headerOf("100000", "100000");
    gzwrite(gz, bomb.data(), static_cast<unsigned>(bomb.size()));
    gzclose(gz);
    const std::pair<const char*, const char*> cases[] = {
        {"missing.fits", "not found"}, {"text.fits", "not a FITS file"},
        {"cut.fits", "cut short"},     {"empty.fits", "no image"},
        {"line.fits", "one axis"},     {"huge.fits", "too large"},
        {"claims.fits", "holds 2880"}, {"bomb.fits.gz", "compressed image is too large"},
    };
    for (const auto& [name, why] : cases) {
        const Result<FitsImage> read = readFitsImage(dir + "/" + name);
        ASSERT_FALSE(read.ok()) << name << " was read";
        EXPECT_EQ(read.error().file, dir + "/" + name);
        EXPECT_NE(describe(read.error()).find(why), std::string::npos) << name << ": " << describe(read.error());
    }
}

// Every stretch keeps order and reaches both ends on a sky with stars.
TEST(DisplayStretch, MonotoneFromBlackToWhite) {
    LuminanceImage sky{200, 100, {}, 65535};
    for (int k = 0; k < 200 * 100; ++k)
        sky.values.push_back(1000.0f + float((k * 7919) % 41) + (k % 997 == 0 ? 30000 : 0));
    for (int s = 0; s < kStretchCount; ++s) {
        const auto stretch = static_cast<Stretch>(s);
        const StretchLevels levels = stretchLevels(sky, stretch);
        EXPECT_LT(levels.black, levels.white);
        EXPECT_EQ(stretchedGrey(levels.black, levels, stretch), 0) << s;
        EXPECT_EQ(stretchedGrey(levels.white, levels, stretch), 255) << s;
        EXPECT_EQ(stretchedGrey(-1e30, levels, stretch), 0) << s;
        EXPECT_EQ(stretchedGrey(1e30, levels, stretch), 255) << s;
        int previous = 0;
        for (double v = 900; v <= 32000; v += 3) {
            const int grey = stretchedGrey(v, levels, stretch);
            ASSERT_GE(grey, previous) << s << " at " << v;
            previous = grey;
        }
    }
    // The automatic stretch shows the sky dark but not black, and stars white.
    const auto grey = stretchToGrey(sky, Stretch::Automatic);
    EXPECT_GT(grey[1] & 0xFF, 0);
    EXPECT_LT(grey[1] & 0xFF, 128);
    EXPECT_EQ(grey[0] & 0xFF, 255);
}

}  // namespace
}  // namespace sextrix
