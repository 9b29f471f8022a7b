#include <libexif/exif-data.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "obstime/exif_time.h"
#include "obstime/fits_time.h"
#include "obstime/utc_time.h"
#include "support/temp_folder.h"

namespace sextrix {
namespace {

// Either the time to the millisecond with its source, or a piece of the reason.
struct Expected {
    const char* iso = "";
    const char* source = "";
    const char* reason = "";
};

void expectReading(const TimeReading& reading, const Expected& expected) {
    if (*expected.iso) {
        ASSERT_TRUE(reading) << reading.reason();
        EXPECT_EQ(isoUtcText(reading->mjdUtc, 3), expected.iso);
        EXPECT_EQ(reading->source, expected.source);
    } else {
        EXPECT_FALSE(reading) << isoUtcText(reading->mjdUtc, 3);
        EXPECT_NE(reading.reason().find(expected.reason), std::string::npos) << reading.reason();
    }
}

struct FitsRow {
    const char* name;
    FitsKeywords keywords;
    Expected expected;
};

class FitsTime : public ::testing::TestWithParam<FitsRow> {};

TEST_P(FitsTime, GivesTheMiddleInUtcOrSaysWhyNot) {
    expectReading(fitsMidExposure(GetParam().keywords), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Headers, FitsTime,
    ::testing::Values(
        FitsRow{"DateAvgWins",
                {{"DATE-AVG", "2024-03-05T21:15:03.250"}, {"DATE-OBS", "2024-03-05T21:14:03"}, {"EXPTIME", "120"}},
                {"2024-03-05T21:15:03.250Z", "DATE-AVG"}},
        FitsRow{"MjdAvg", {{"MJD-AVG", "60374.5"}}, {"2024-03-05T12:00:00.000Z", "MJD-AVG"}},
        FitsRow{"StartPlusHalfExposure",
                {{"DATE-OBS", "2024-03-05T23:59:30"}, {"EXPTIME", "120"}},
                {"2024-03-06T00:00:30.000Z", "DATE-OBS + EXPTIME/2"}},
        FitsRow{"ExposureKeyword",
                {{"DATE-OBS", "2024-03-05T21:00:00"}, {"EXPOSURE", "1.5"}},
                {"2024-03-05T21:00:00.750Z", "DATE-OBS + EXPOSURE/2"}},
        FitsRow{"DateWithTimeObs",
                {{"DATE-OBS", "2024-03-05"}, {"TIME-OBS", "21:14:03.5"}, {"EXPTIME", "60"}},
                {"2024-03-05T21:14:33.500Z", "DATE-OBS + TIME-OBS + EXPTIME/2"}},
        FitsRow{"OldDateWithUt",
                {{"DATE-OBS", "05/03/94"}, {"UT", "21:14:03"}, {"EXPTIME", "0"}},
                {"1994-03-05T21:14:03.000Z", "DATE-OBS + UT + EXPTIME/2"}},
        FitsRow{"MjdObs",
                {{"MJD-OBS", "60374.0"}, {"EXPTIME", "86.4"}},
                {"2024-03-05T00:00:43.200Z", "MJD-OBS + EXPTIME/2"}},
        // 2024: TAI - UTC = 37 s, so UTC = TT - 69.184 s.
        FitsRow{"TerrestrialTime",
                {{"DATE-AVG", "2024-03-05T21:15:09.184"}, {"TIMESYS", "TT"}},
                {"2024-03-05T21:14:00.000Z", "DATE-AVG (TT to UTC)"}},
        FitsRow{"Gps",
                {{"DATE-AVG", "2024-03-05T21:14:18"}, {"TIMESYS", "gps"}},
                {"2024-03-05T21:14:00.000Z", "DATE-AVG (GPS to UTC)"}},
        FitsRow{
            "NoExposureIsNoMiddle", {{"DATE-OBS", "2024-03-05T21:14:03"}}, {.reason = "neither EXPTIME nor EXPOSURE"}},
        FitsRow{"DateWithoutTime", {{"DATE-OBS", "2024-03-05"}, {"EXPTIME", "60"}}, {.reason = "without a time"}},
        FitsRow{"NoDate", {{"EXPTIME", "60"}}, {.reason = "no observation time"}},
        FitsRow{"BadDate", {{"DATE-OBS", "2024-02-30T10:00:00"}, {"EXPTIME", "60"}}, {.reason = "not a date"}},
        FitsRow{"BadExposure", {{"DATE-OBS", "2024-03-05T10:00:00"}, {"EXPTIME", "-3"}}, {.reason = "EXPTIME"}},
        FitsRow{"Barycentric", {{"DATE-AVG", "2024-03-05T21:14:00"}, {"TIMESYS", "TDB"}}, {.reason = "TDB"}},
        FitsRow{"TtBefore1972", {{"DATE-AVG", "1970-03-05T21:14:00"}, {"TIMESYS", "TT"}}, {.reason = "1972"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ExifRow {
    const char* name;
    ExifTimeFields fields;
    std::optional<double> setting;
    Expected expected;
};

class ExifTime : public ::testing::TestWithParam<ExifRow> {};

TEST_P(ExifTime, GivesTheMiddleInUtcOrSaysWhyNot) {
    expectReading(exifMidExposure(GetParam().fields, GetParam().setting), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cameras, ExifTime,
    ::testing::Values(
        ExifRow{"SettingOffset",
                {"2026:12:08 00:30:00", "25", "", 30.0},
                1.0,
                {"2026-12-07T23:30:15.250Z", "EXIF DateTimeOriginal + ExposureTime/2 (UTC+01:00, camera setting)"}},
        ExifRow{"OwnOffsetWins",
                {"2026:12:08 00:30:00", "", "-05:30", 2.0},
                1.0,
                {"2026-12-08T06:00:01.000Z", "EXIF DateTimeOriginal + ExposureTime/2 (UTC-05:30, OffsetTimeOriginal)"}},
        ExifRow{
            "NoOffset", {"2026:12:08 00:30:00", "", "", 2.0}, std::nullopt, {.reason = "offset from UTC is not set"}},
        ExifRow{"NoExposure", {"2026:12:08 00:30:00", "", "", std::nullopt}, 0.0, {.reason = "no ExposureTime"}},
        ExifRow{"NoDate", {"", "", "", 2.0}, 0.0, {.reason = "no DateTimeOriginal"}},
        ExifRow{"BadSubSeconds", {"2026:12:08 00:30:00", "2x", "", 2.0}, 0.0, {.reason = "SubSecTimeOriginal"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Rounding carries into the next minute, hour and day instead of showing 60.
TEST(UtcTime, TextsRoundWithoutSixtySeconds) {
    const double mjd = mjdOf({2026, 12, 31, 86399.9996});
    EXPECT_EQ(isoUtcText(mjd, 3), "2027-01-01T00:00:00.000Z");
    EXPECT_EQ(isoUtcText(mjdOf({2000, 1, 1, 43200}), 0), "2000-01-01T12:00:00Z");
    EXPECT_DOUBLE_EQ(mjdOf({2000, 1, 1, 43200}), 51544.5);
    for (const char* bad : {"2026-13-01", "2026-12-08T24:00", "2026-12-08T10:60", "2026/12/08", "2026-12-08X10:00"})
        EXPECT_FALSE(parseIsoTime(bad)) << bad;
}

// A JPEG of nothing but its EXIF block, written with libexif, as a camera would.
TEST(ExifFile, ReadsTheTimeFields) {
    ExifData* data = exif_data_new();
    exif_data_set_byte_order(data, EXIF_BYTE_ORDER_INTEL);
    const auto put = [&](ExifTag tag, const char* text) {
        ExifEntry* e = exif_entry_new();
        exif_content_add_entry(data->ifd[EXIF_IFD_EXIF], e);
        exif_entry_initialize(e, tag);
        if (e->format == EXIF_FORMAT_RATIONAL) return e;
        e->data = static_cast<unsigned char*>(realloc(e->data, std::strlen(text) + 1));
        std::memcpy(e->data, text, std::strlen(text) + 1);
        e->size = e->components = static_cast<unsigned>(std::strlen(text) + 1);
        e->format = EXIF_FORMAT_ASCII;
        exif_entry_unref(e);
        return e;
    };
    put(EXIF_TAG_DATE_TIME_ORIGINAL, "2026:12:08 00:30:00");
    put(EXIF_TAG_SUB_SEC_TIME_ORIGINAL, "25");
    ExifEntry* exposure = put(EXIF_TAG_EXPOSURE_TIME, "");
    exif_set_rational(exposure->data, EXIF_BYTE_ORDER_INTEL, {30, 1});
    exif_entry_unref(exposure);
    unsigned char* block = nullptr;
    unsigned int size = 0;
    exif_data_save_data(data, &block, &size);
    exif_data_unref(data);

    const unsigned length = size + 2;
    std::string jpeg = {
        '\xFF', '\xD8', '\xFF', '\xE1', static_cast<char>(length >> 8), static_cast<char>(length & 0xFF)};
    jpeg.append(reinterpret_cast<const char*>(block), size);
    jpeg += "\xFF\xD9";
    free(block);
    testing::TempFolder folder;
    folder.write("camera.jpg", jpeg);
    const std::string path = folder.file("camera.jpg");

    const auto fields = readExifTimeFields(path);
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->dateTimeOriginal, "2026:12:08 00:30:00");
    EXPECT_EQ(fields->subSecTimeOriginal, "25");
    EXPECT_EQ(fields->exposureSeconds, 30.0);
    EXPECT_EQ(readExifTimeFields(folder.file("missing.jpg")).error().fault, FileFault::NotFound);
}

}  // namespace
}  // namespace sextrix
