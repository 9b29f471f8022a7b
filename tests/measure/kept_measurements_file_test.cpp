#include "measure/kept_measurements_file.h"

#include <gtest/gtest.h>

namespace sextrix {
namespace {

KeptMeasurement full() {
    KeptMeasurement m;
    m.target = {512.25, 384.125, 132.796875, -11.75, 0.0625, 0.09375, 84.5, 15.25, 0.03125, false};
    m.image = "C:\\night\\a\tb.fits";  // a backslash and a tab travel as \\ and \t
    m.mjdUtc = 61017.125;
    m.catalogue = Catalogue::Ucac4;
    m.known = AsteroidMatch{"2024 AB12", 0.75, -1.5};
    m.designation = "VS0001";
    return m;
}

TEST(KeptMeasurementsFile, EveryFieldComesBackAsItWasSaved) {
    KeptMeasurement bare;  // saturated: no magnitude, no time, no designation
    bare.target = {10, 20, 0.5, 89.9, 0.5, 0.6, 12, std::nullopt, 0, true};
    bare.image = "/tmp/m67.jpg";
    const std::vector<KeptMeasurement> saved{full(), bare};
    const auto read = readKeptMeasurements(keptMeasurementsText(saved), "m.pam.measurements");
    ASSERT_TRUE(read) << describe(read.error());
    ASSERT_EQ(read->size(), 2u);
    for (std::size_t k = 0; k < 2; ++k) {
        const KeptMeasurement &a = saved[k], &b = (*read)[k];
        EXPECT_EQ(b.image, a.image);
        EXPECT_EQ(b.target.raDeg, a.target.raDeg);
        EXPECT_EQ(b.target.decDeg, a.target.decDeg);
        EXPECT_EQ(b.target.sigmaDecArcsec, a.target.sigmaDecArcsec);
        EXPECT_EQ(b.target.mag, a.target.mag);
        EXPECT_EQ(b.target.saturated, a.target.saturated);
        EXPECT_EQ(b.mjdUtc, a.mjdUtc);
        EXPECT_EQ(b.catalogue, a.catalogue);
        EXPECT_EQ(b.designation, a.designation);
        EXPECT_EQ(b.known.has_value(), a.known.has_value());
        if (b.known) EXPECT_EQ(b.known->ocDecArcsec, a.known->ocDecArcsec);
    }
}

TEST(KeptMeasurementsFile, AFileThatIsNotWholeIsRefusedAtItsLine) {
    const std::string good = keptMeasurementsText({full()});
    const std::string header = good.substr(0, good.find("\r\n", good.find("\r\n") + 2) + 2);
    const std::string record = good.substr(header.size(), good.size() - header.size() - 2);
    auto with = [&](std::string from, std::string to) {
        return header + record.substr(0, record.find(from)) + to + record.substr(record.find(from) + from.size()) +
               "\r\n";
    };
    const struct {
        std::string text;
        int line;
        const char* cause;
    } cases[] = {
        {"", 1, "not a measurements file"},
        {"# Velorin Sextrix measurements, version 2\r\n", 1, "not a measurements file"},
        {header.substr(0, header.find('\n') + 1) + "image\tx\r\n", 2, "column names"},
        {header + "a\tb\r\n", 3, "2 fields instead of 17"},
        {with("UCAC4", "UCAC5"), 3, "not a catalogue"},
        {with("0.0625", "1e999"), 3, "not a number"},
        {with("512.25", ""), 3, "no x"},
        {with("a\\tb", "a\\qb"), 3, "backslash"},
        {with("0.75", ""), 3, "has no O-C"},
        {with("132.796875", "360.5"), 3, "not on the sky"},
    };
    for (const auto& c : cases) {
        const auto read = readKeptMeasurements(c.text, "m.pam.measurements");
        ASSERT_FALSE(read) << c.cause;
        EXPECT_EQ(read.error().line, c.line) << c.cause;
        EXPECT_NE(read.error().cause.find(c.cause), std::string::npos) << read.error().cause;
    }
}

}  // namespace
}  // namespace sextrix
